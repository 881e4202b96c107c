#include "ui/SummaryPage.h"

#include <QColor>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "document/KarvoEdDoc.h"

namespace velta {

SummaryPage::SummaryPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    list_ = new QListWidget(this);
    layout->addWidget(list_);
}

void SummaryPage::refresh() {
    SoundingProcessor* processor = doc_.processor();
    const QCEngine* engine = processor ? processor->engine() : nullptr;
    if (!engine || !engine->qcDone()) return;
    list_->clear();
    for (const std::string& category : processor->logCategories()) {
        list_->addItem(QString::fromStdString(category));
        // The drop diagnosis' findings stand out in the list.
        const bool finding = category == kDiagnosisCategory;
        for (const std::string& line : processor->logLines(category)) {
            list_->addItem("\t" + QString::fromStdString(line));
            if (finding) list_->item(list_->count() - 1)->setBackground(QColor(0xff, 0xd9, 0x8a));
        }
    }
    title_->setText(QString::fromStdString(processor->soundingDescription()));
}

}  // namespace velta
