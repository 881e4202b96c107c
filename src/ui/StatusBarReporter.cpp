#include "ui/StatusBarReporter.h"

#include <QCoreApplication>
#include <QLabel>

namespace velta {

void StatusBarReporter::changed() {
    if (!pane_) return;
    pane_->setText(QString::fromStdString(text()));
    pane_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace velta
