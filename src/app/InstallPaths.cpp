#include "app/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "BuildInfo.h"

namespace velta {

QString programDataDir() {
    if (qEnvironmentVariableIsSet("VELTAPROG")) return qEnvironmentVariable("VELTAPROG");
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + "/../share/velta";
    candidates << QString::fromUtf8(build::kDataDir) << QString::fromUtf8(build::kWorkDir) + "/share/velta";
    for (const QString& dir : candidates) {
        if (QFileInfo::exists(dir + "/velta.xml")) return QDir::cleanPath(QDir(dir).absolutePath());
    }
    return {};
}

void exportProgramDataDir() {
    if (qEnvironmentVariableIsSet("VELTAPROG")) return;
    const QString dir = programDataDir();
    if (!dir.isEmpty()) qputenv("VELTAPROG", dir.toLocal8Bit());
}

QString userConfigDir() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); }

}  // namespace velta
