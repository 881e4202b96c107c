#include "ui/QtDialogs.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "ui/ConfigManagerDialog.h"
#include "ui/OptionsSheet.h"

namespace velta {
namespace {

// A small frameless window with the text; it goes when the notice is destroyed.
class QtNotice : public ModelessNotice {
public:
    explicit QtNotice(const QString& text, QWidget* owner) : window_(new QWidget(owner, Qt::Tool)) {
        window_->setWindowTitle("Velta");
        window_->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(window_);
        auto* label = new QLabel(text, window_);
        label->setMargin(12);
        layout->addWidget(label);
        window_->adjustSize();
        window_->show();
        window_->raise();
        // Paint it now: the caller works on this thread until it destroys the notice.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~QtNotice() override {
        if (window_) window_->close();
    }

private:
    QPointer<QWidget> window_;
};

// A frameless label in the tooltip style, placed by its owner.
class QtTip : public TipWindow {
public:
    QtTip(const QString& text, QWidget* owner) : label_(new QLabel(text, owner, Qt::ToolTip)) {
        label_->setAttribute(Qt::WA_DeleteOnClose);
        label_->setMargin(4);
        label_->adjustSize();
        label_->move(QCursor::pos() + QPoint(12, 12));
        label_->show();
    }
    ~QtTip() override {
        if (label_) label_->close();
    }
    void moveTo(int x, int y) override {
        if (label_) label_->move(x, y);
    }

private:
    QPointer<QLabel> label_;
};

}  // namespace

QWidget* QtDialogs::owner() { return QApplication::activeWindow(); }

void QtDialogs::messageBox(const std::string& text) {
    QMessageBox box(QMessageBox::Information, "Velta", QString::fromStdString(text), QMessageBox::Ok, owner());
    box.exec();
}

bool QtDialogs::query(const std::string& question) {
    QMessageBox box(QMessageBox::Question, "Velta", QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

UnsavedChoice QtDialogs::saveDiscardCancel(const std::string& question) {
    QMessageBox box(QMessageBox::Warning, "Velta", QString::fromStdString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save: return UnsavedChoice::Save;
        case QMessageBox::Discard: return UnsavedChoice::Discard;
        default: return UnsavedChoice::Cancel;
    }
}

std::unique_ptr<ModelessNotice> QtDialogs::notice(const std::string& text) {
    return std::make_unique<QtNotice>(QString::fromStdString(text), owner());
}

void QtDialogs::manageConfiguration(Registry& registry) {
    ConfigManagerDialog dialog(registry, *this, owner());
    dialog.exec();
}

bool QtDialogs::editOptions(ConfigSet& set) {
    OptionsSheet sheet(set, owner());
    if (sheet.exec() != QDialog::Accepted) return false;
    sheet.updateConfig();
    return true;
}

std::optional<std::string> QtDialogs::editText(const std::string& line) {
    bool ok = false;
    QString text = QInputDialog::getText(owner(), "Velta", "Text:", QLineEdit::Normal,
                                         QString::fromStdString(line), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::unique_ptr<TipWindow> QtDialogs::tip(const std::string& text) {
    return std::make_unique<QtTip>(QString::fromStdString(text), owner());
}

}  // namespace velta
