// The Comm page: the message as it would go to the aircraft's reconnaissance
// system. Shows the message read-only; the transmission settings and the
// serial link are added with the message tools.
#pragma once

#include "ui/TabPage.h"

class QPlainTextEdit;
class QLabel;

namespace velta {

class CommPage : public TabPage {
    Q_OBJECT
public:
    CommPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    void refresh() override;
    QPlainTextEdit* text() const { return text_; }

private:
    QLabel* title_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    int shownGeneration_ = -1;
};

}  // namespace velta
