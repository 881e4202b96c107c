#include "cli/ConfigLocation.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/FileLocator.h"

namespace velta::cli {
namespace {

// A regular file that opens: a FIFO or a device would block or never end.
bool readable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && std::ifstream(path, std::ios::binary).is_open();
}

}  // namespace

ConfigLocation locateConfiguration(const std::string& explicitPath, const std::string& programPath) {
    ConfigLocation result;
    if (!explicitPath.empty()) {
        result.tried.push_back(explicitPath);
        result.found = readable(explicitPath);
        result.path = explicitPath;
        return result;
    }
    LocatedFile located = locateFile("velta.xml");
    result.tried.push_back("./velta.xml");
    if (located.found && readable(located.path)) {
        result.found = true;
        result.path = located.path;
        return result;
    }
    if (located.path != "./velta.xml") result.tried.push_back(located.path);

    // The default files of the installation, found relative to the program.
    const std::string programDir = programDirectory(programPath);
    const std::string dataDir = programDataDirectory(programDir);
    const std::string candidate =
        (dataDir.empty() ? programDir + "/../share/velta" : dataDir) + "/velta.xml";
    result.tried.push_back(candidate);
    if (readable(candidate)) {
        result.found = true;
        result.path = candidate;
    }
    return result;
}

}  // namespace velta::cli
