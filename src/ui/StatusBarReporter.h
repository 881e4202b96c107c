// The document's progress in the main window's status bar: status text
// immediately followed by step text in the first pane. Each change is painted
// at once while the work goes on; keyboard and mouse input waits until the
// work is done, so no command can arrive in the middle of it.
#pragma once

#include <QLabel>
#include <QPointer>

#include "sounding/StatusReporter.h"

class QLabel;

namespace velta {

class StatusBarReporter : public TextStatusReporter {
public:
    explicit StatusBarReporter(QLabel* pane) : pane_(pane) {}

protected:
    void changed() override;

private:
    QPointer<QLabel> pane_;
};

}  // namespace velta
