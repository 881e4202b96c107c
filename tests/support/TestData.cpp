#include "TestData.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velta::test {

std::string sourcePath(const std::string& relative) {
    return std::string(VELTA_SOURCE_DIR) + "/" + relative;
}

std::string scratchDir(const std::string& name) {
    std::filesystem::path dir = std::filesystem::path(VELTA_BINARY_DIR) / "test-scratch" / name;
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir, ec);
    return dir.string();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

}  // namespace velta::test
