#include "ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "document/BuildInformation.h"

namespace velta {

AboutDialog::AboutDialog(const QString& version, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Velta");
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel("<b>Velta</b> - dropsonde sounding processing", this);
    layout->addWidget(name);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setPlainText(QString::fromStdString(aboutText(version.toStdString())));
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(460, 200);
}

QString AboutDialog::text() const { return text_->toPlainText(); }

}  // namespace velta
