#include "app/Startup.h"

#include "app/ConfigBootstrap.h"
#include "app/InstallPaths.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "extern/VeltaDialogs.h"
#include "ui/CMainFrame.h"

namespace velta {

StartupResult startVelta(CMainFrame& frame, VeltaDialogs& dialogs, const QStringList& files) {
    frame.setGeometry(10, 10, 972, 729);
    frame.show();

    exportProgramDataDir();
    BootstrapInput input{userConfigDir().toStdString(), programDataDir().toStdString()};
    BootstrapResult boot = bootstrapConfigDirectory(dialogs, input);
    if (!boot.ok) return {false, boot.exitCode ? boot.exitCode : 1};

    const std::string xmlPath = boot.directory + "/velta.xml";
    Registry registry(xmlPath);
    if (registry.status() != 0) {
        dialogs.messageBox("There is a problem with the XML configuration\nfile (" + xmlPath +
                           "), or its DTD file.\nIt needs to be fixed before Velta can\nproceed. Sorry, but Velta "
                           "has to exit. :-(\n\n(Hint - try opening the XML file in a web browser.)");
        return {false, 1};
    }
    frame.setConfigurationText(registry.activeSetName(), boot.directory);

    bool autoFile = false;
    {
        ConfigSet set(registry, false);
        set.addNumeric("AutoFile", 1.0, 0.0, 1.0, true);
        autoFile = set.boolValue("AutoFile").value_or(false);
    }
    if (!files.isEmpty()) {
        for (const QString& file : files) frame.openDocument(file);
    } else if (autoFile) {
        frame.openCommand();
    }
    return {true, 0};
}

}  // namespace velta
