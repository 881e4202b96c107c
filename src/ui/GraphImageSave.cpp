#include "ui/GraphImageSave.h"

#include <QFileInfo>

#include "config/ConfigSet.h"
#include "document/FileLocator.h"
#include "document/KarvoEdDoc.h"

namespace velta {

MessageSaveDialogSettings graphSaveDialogSettings(const ConfigSet& config, const std::string& directoryOption,
                                                  const std::string& dataPath) {
    MessageSaveDialogSettings settings;
    settings.title = "XY Graphics Save";
    const bool jpegFirst = config.numericValue("PlotFileFormat").value_or(0.0) == 1.0;
    const std::pair<std::string, std::string> png{"PNG (*.png)", "*.png"};
    const std::pair<std::string, std::string> jpeg{"JPEG (*.jpg)", "*.jpg"};
    settings.filters = jpegFirst ? std::vector{jpeg, png} : std::vector{png, jpeg};
    settings.filters.emplace_back("All files", "*.*");
    settings.defaultExtension = jpegFirst ? "jpg" : "png";
    if (const ConfigOption* dir = config.option(directoryOption)) settings.initialDirectory = dir->text();
    settings.initialName = QFileInfo(QString::fromStdString(dataPath)).completeBaseName().toStdString();
    return settings;
}

const char* graphImageFormat(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    return suffix == "jpg" || suffix == "jpeg" ? "JPEG" : "PNG";
}

int plotPixelsX(const ConfigSet& config) { return static_cast<int>(config.numericValue("PlotPixelsX").value_or(1000)); }
int plotPixelsY(const ConfigSet& config) { return static_cast<int>(config.numericValue("PlotPixelsY").value_or(700)); }

void rememberGraphSaveDirectory(CKarvoEdDoc& doc, const std::string& directoryOption, const std::string& path) {
    if (ConfigOption* dir = doc.configuration().option(directoryOption)) {
        dir->setText(directoryOf(path));
        doc.saveConfiguration(true);
    }
}

}  // namespace velta
