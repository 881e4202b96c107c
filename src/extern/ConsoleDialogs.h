// Dialogs for a program without windows: messages go to a stream (stderr by
// default), questions are answered No, editors are cancelled.
#pragma once

#include <iosfwd>

#include "extern/VeltaDialogs.h"

namespace velta {

class ConsoleDialogs : public VeltaDialogs {
public:
    ConsoleDialogs();
    explicit ConsoleDialogs(std::ostream& out) : out_(out) {}

    void messageBox(const std::string& text) override;
    bool query(const std::string& question) override;
    std::unique_ptr<ModelessNotice> notice(const std::string& text) override;
    void manageConfiguration(Registry& registry) override;
    bool editOptions(ConfigSet& set) override;
    std::optional<std::string> editText(const std::string& line) override;
    std::unique_ptr<TipWindow> tip(const std::string& text) override;

private:
    void print(const std::string& text);
    std::ostream& out_;
};

}  // namespace velta
