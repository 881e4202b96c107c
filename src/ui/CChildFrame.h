// The window of one open sounding inside the main window: owns the document,
// its status reporter and its view. Closing it asks the document's question
// about changed options; it cannot close while the document is processing.
#pragma once

#include <QMdiSubWindow>
#include <memory>

class QLabel;
class QPrinter;

namespace velta {

class CKarvoEdDoc;
class CKarvoEdView;
class StatusBarReporter;
class VeltaDialogs;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CKarvoEdDoc> doc, VeltaDialogs& dialogs, QPrinter& printer, QLabel* statusPane);
    ~CChildFrame() override;

    CKarvoEdDoc& document() const { return *doc_; }
    CKarvoEdView* view() const { return view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CKarvoEdDoc> doc_;
    std::unique_ptr<StatusBarReporter> reporter_;
    CKarvoEdView* view_ = nullptr;
};

}  // namespace velta
