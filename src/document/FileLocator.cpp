#include "document/FileLocator.h"

#include <cstdlib>
#include <fstream>

namespace velta {
namespace {

bool readable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

}  // namespace

LocatedFile locateFile(const std::string& fileName, const std::string& envVar) {
    LocatedFile result;
    result.path = "./" + fileName;
    if (readable(result.path)) {
        result.found = true;
        return result;
    }
    if (const char* dir = std::getenv(envVar.c_str())) {
        result.path = std::string(dir) + "/" + fileName;
        result.found = readable(result.path);
    }
    return result;
}

std::string directoryOf(const std::string& path) {
    auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    if (cut == 0) return path.substr(0, 1);
    return path.substr(0, cut);
}

}  // namespace velta
