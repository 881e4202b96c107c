// Finding or creating the configuration directory that holds velta.xml and
// velta.dtd before any sounding is opened. Reads and may set VELTACONFIG; the
// default files are copied from the installation's data directory.
#pragma once

#include <string>

namespace velta {

class VeltaDialogs;

struct BootstrapInput {
    // The per-user configuration directory the "Velta" folder goes into (the
    // XDG configuration directory); empty when there is none.
    std::string userConfigDir;
    // Where the default files are installed ($VELTAPROG or the program's own
    // data directory); empty when unknown.
    std::string programDataDir;
};

struct BootstrapResult {
    bool ok = false;
    int exitCode = 0;       // 1 when the program has to end
    std::string directory;  // the configuration directory when ok
};

// Runs the bootstrap, asking and informing through the dialogs.
BootstrapResult bootstrapConfigDirectory(VeltaDialogs& dialogs, const BootstrapInput& input);

}  // namespace velta
