#include "cli/ConfigLocation.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "BuildInfo.h"
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

    // The default files: $VELTAPROG, the installation's share directory beside the
    // program, the configured install prefix, and the source tree of a build.
    std::vector<std::string> candidates;
    if (const char* prog = std::getenv("VELTAPROG")) candidates.push_back(std::string(prog) + "/velta.xml");
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::weakly_canonical(programPath, ec);
    if (!ec && exe.has_parent_path())
        candidates.push_back((exe.parent_path().parent_path() / "share/velta/velta.xml").string());
    candidates.push_back(std::string(build::kDataDir) + "/velta.xml");
    candidates.push_back(std::string(build::kSourceDir) + "/share/velta.xml");
    for (const std::string& candidate : candidates) {
        result.tried.push_back(candidate);
        if (readable(candidate)) {
            result.found = true;
            result.path = candidate;
            return result;
        }
    }
    return result;
}

}  // namespace velta::cli
