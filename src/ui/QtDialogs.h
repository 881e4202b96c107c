// The program's dialogs in Qt: message boxes, questions, notices shown while
// work runs, the configuration manager, the option sheet, the one-line editor
// and tips.
#pragma once

#include <QPointer>
#include <QWidget>

#include "extern/VeltaDialogs.h"

namespace velta {

class QtDialogs : public VeltaDialogs {
public:
    void messageBox(const std::string& text) override;
    bool query(const std::string& question) override;
    UnsavedChoice saveDiscardCancel(const std::string& question) override;
    std::unique_ptr<ModelessNotice> notice(const std::string& text) override;
    void manageConfiguration(Registry& registry) override;
    bool editOptions(ConfigSet& set) override;
    std::optional<std::string> editText(const std::string& line) override;
    std::unique_ptr<TipWindow> tip(const std::string& text) override;

private:
    // The active window, so dialogs sit over the program rather than anywhere.
    static QWidget* owner();
};

}  // namespace velta
