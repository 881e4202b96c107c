#include "document/FileLocator.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace velta {
namespace {

// A regular file that opens. Anything else that stands at the path (a FIFO, a
// device) counts as there without being opened, which could block for ever;
// reading it refuses it later with a message.
bool readable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    if (!fs::is_regular_file(status)) return !fs::is_directory(status);
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

std::string programDirectory(const std::string& fallbackPath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        if (fallbackPath.empty()) return {};
        ec.clear();
        exe = fs::weakly_canonical(fallbackPath, ec);
        if (ec) return {};
    }
    return exe.parent_path().string();
}

std::string programDataDirectory(const std::string& programDir) {
    if (const char* prog = std::getenv("VELTAPROG")) return prog;
    if (programDir.empty()) return {};
    namespace fs = std::filesystem;
    for (const char* relative : {"../share/velta", "../../share/velta"}) {
        const fs::path dir = fs::path(programDir) / relative;
        if (readable((dir / "velta.xml").string())) return fs::weakly_canonical(dir).string();
    }
    return {};
}

std::string directoryOf(const std::string& path) {
    auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    if (cut == 0) return path.substr(0, 1);
    return path.substr(0, cut);
}

}  // namespace velta
