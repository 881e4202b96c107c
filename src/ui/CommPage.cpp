#include "ui/CommPage.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "document/KarvoEdDoc.h"
#include "ui/ProcessorProducts.h"

namespace velta {

CommPage::CommPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    // TODO(message tools): transmission settings (port, framing) and the Send command go here.
    layout->addWidget(new QLabel("Message to be transmitted (sending is not available yet):", this));
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text_);
}

void CommPage::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    title_->setText(QString::fromStdString(processor->soundingDescription()));
    const TempMessage* message = products::message(processor);
    const int generation = message ? processor->messageGeneration() : -1;
    if (generation == shownGeneration_ && generation != -1) return;
    shownGeneration_ = generation;
    text_->setPlainText(message ? QString::fromStdString(message->text(true)) : QString());
}

}  // namespace velta
