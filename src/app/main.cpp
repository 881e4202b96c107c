// Velta desktop application: one window per open dropsonde sounding.
#include <QApplication>
#include <cstdio>

#include "BuildInfo.h"
#include "app/Startup.h"
#include "ui/CMainFrame.h"
#include "ui/QtDialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velta");
    QApplication::setOrganizationName("ORVA");
    QApplication::setApplicationVersion(velta::build::kVersion);
    QApplication::setWindowIcon(QIcon::fromTheme("velta"));

    QStringList files = QApplication::arguments();
    files.removeFirst();

    velta::QtDialogs dialogs;
    velta::CMainFrame frame(dialogs, velta::build::kVersion);
    frame.fatal = [](int code) {
        std::fflush(nullptr);
        std::exit(code);
    };
    const velta::StartupResult started = velta::startVelta(frame, dialogs, files);
    if (!started.ok) return started.exitCode;
    return QApplication::exec();
}
