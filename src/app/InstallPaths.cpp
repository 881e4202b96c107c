#include "app/InstallPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "document/FileLocator.h"

namespace velta {

QString programDataDir() {
    const std::string programDir = QCoreApplication::instance()
                                       ? QCoreApplication::applicationDirPath().toStdString()
                                       : programDirectory();
    return QString::fromStdString(programDataDirectory(programDir));
}

void exportProgramDataDir() {
    if (qEnvironmentVariableIsSet("VELTAPROG")) return;
    const QString dir = programDataDir();
    if (!dir.isEmpty()) qputenv("VELTAPROG", dir.toLocal8Bit());
}

QString userConfigDir() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); }

}  // namespace velta
