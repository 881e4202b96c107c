// What the program does before any sounding is open: place and show the main
// window, find or create the configuration directory, check that velta.xml
// can be read, show the active configuration in the status bar, then open
// the files named on the command line, or show the open dialog when AutoFile
// asks for it.
#pragma once

#include <QStringList>

namespace velta {

class CMainFrame;
class VeltaDialogs;

struct StartupResult {
    bool ok = false;
    int exitCode = 0;
};

StartupResult startVelta(CMainFrame& frame, VeltaDialogs& dialogs, const QStringList& files);

}  // namespace velta
