// The Summary page: the processing log, each category followed by its lines.
#pragma once

#include "ui/TabPage.h"

class QLabel;
class QListWidget;

namespace velta {

class SummaryPage : public TabPage {
    Q_OBJECT
public:
    SummaryPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    void refresh() override;
    QListWidget* list() const { return list_; }

private:
    QLabel* title_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace velta
