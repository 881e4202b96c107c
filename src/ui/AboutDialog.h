// "About Velta": the version and the build's revision and last change.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace velta {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& version, QWidget* parent = nullptr);
    QString text() const;

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace velta
