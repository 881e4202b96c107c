#include "ui/TabWMOGrid.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "document/KarvoEdDoc.h"
#include "ui/ProcessorProducts.h"

namespace velta {

TabWMOGrid::TabWMOGrid(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text_);
}

void TabWMOGrid::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    title_->setText(QString::fromStdString(processor->soundingDescription()));
    const TempMessage* message = products::message(processor);
    const int generation = message ? processor->messageGeneration() : -1;
    if (generation == shownGeneration_ && shownGeneration_ != -1) return;
    shownGeneration_ = generation;
    QStringList lines;
    if (message)
        for (const std::string& line : message->lines()) lines << QString::fromStdString(line);
    text_->setPlainText(message ? lines.join('\n') : QString("No message has been coded for this sounding."));
    ++rebuilds_;
}

std::vector<TextPage> TabWMOGrid::printPages() const {
    std::vector<TextPage> pages;
    const TempMessage* message = products::message(const_cast<CKarvoEdDoc&>(doc_).processor());
    if (!message) return pages;
    for (const MessagePage& page : message->pages()) pages.push_back(TextPage{page.title, page.lines});
    return pages;
}

}  // namespace velta
