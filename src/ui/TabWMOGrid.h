// The WMO page: the coded TEMP DROP message, line by line, rebuilt when the
// message generation moves. Read-only here; group editing, saving and sending
// of the message belong to the message tools.
#pragma once

#include "ui/TabPage.h"

class QLabel;
class QPlainTextEdit;

namespace velta {

class TabWMOGrid : public TabPage {
    Q_OBJECT
public:
    TabWMOGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);

    void refresh() override;
    std::vector<TextPage> printPages() const override;

    QPlainTextEdit* text() const { return text_; }
    int rebuilds() const { return rebuilds_; }

private:
    QLabel* title_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    int shownGeneration_ = -1;
    int rebuilds_ = 0;
};

}  // namespace velta
