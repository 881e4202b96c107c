#include "config/ConfigFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "config/AtomicOutput.h"

namespace velta {

namespace {

class DiskConfigFiles final : public ConfigFiles {
public:
    bool read(const std::string& path, std::string& bytes) override {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) return false;
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        std::ostringstream out;
        out << in.rdbuf();
        if (in.bad()) return false;
        bytes = out.str();
        return true;
    }

    std::string replace(const std::string& path, const std::string& bytes) override {
        return writeFileAtomically(path, bytes);
    }
};

}  // namespace

ConfigFiles& diskConfigFiles() {
    // Holds no state, so one object serves every registry and thread.
    static DiskConfigFiles disk;
    return disk;
}

bool MemoryConfigFiles::read(const std::string& path, std::string& bytes) {
    auto it = files.find(path);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
}

std::string MemoryConfigFiles::replace(const std::string& path, const std::string& bytes) {
    files[path] = bytes;
    return {};
}

}  // namespace velta
