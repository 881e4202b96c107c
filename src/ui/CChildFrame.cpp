#include "ui/CChildFrame.h"

#include <QCloseEvent>
#include <QFileInfo>

#include "document/KarvoEdDoc.h"
#include "ui/CKarvoEdView.h"
#include "ui/CommPage.h"
#include "ui/StatusBarReporter.h"

namespace velta {

CChildFrame::CChildFrame(std::unique_ptr<CKarvoEdDoc> doc, VeltaDialogs& dialogs, QPrinter& printer,
                         QLabel* statusPane)
    : doc_(std::move(doc)), reporter_(std::make_unique<StatusBarReporter>(statusPane)) {
    setAttribute(Qt::WA_DeleteOnClose);
    doc_->setStatusReporter(reporter_.get());
    view_ = new CKarvoEdView(*doc_, dialogs, printer);
    setWidget(view_);
    connect(view_, &CKarvoEdView::outOfDateChanged, this, [this](bool outOfDate) {
        const QString name = QString::fromStdString(view_->soundingName());
        setWindowTitle(outOfDate ? name + " (out of date: Recompute)" : name);
    });
}

CChildFrame::~CChildFrame() {
    // The view refers to the document: it goes first.
    delete view_;
    view_ = nullptr;
    if (doc_) doc_->setStatusReporter(nullptr);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // A running transfer is cancelled first, on the Comm tab.
    if (doc_->processing() || view_->commPage()->transferring() ||
        !view_->confirmUnsavedWork("Closing it discards them.")) {
        event->ignore();
        return;
    }
    doc_->close();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace velta
