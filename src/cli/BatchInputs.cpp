#include "cli/BatchInputs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "cli/BatchOutputs.h"

namespace velta::cli {

std::string inputProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return path + ": cannot be read: " + std::strerror(errno) + "\n";
    if (!S_ISREG(st.st_mode)) return path + ": is not a regular file; not read.\n";
    return {};
}

InputFiles::InputFiles(const std::vector<std::string>& paths) {
    // An input given by a symbolic link counts both as the link and as its target.
    for (const std::string& path : paths) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) files_.emplace_back(st.st_dev, st.st_ino);
        if (::lstat(path.c_str(), &st) == 0) files_.emplace_back(st.st_dev, st.st_ino);
    }
}

bool InputFiles::contains(const std::string& path) const {
    auto known = [this](const struct stat& st) {
        for (const auto& [device, inode] : files_)
            if (device == st.st_dev && inode == st.st_ino) return true;
        return false;
    };
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && known(st)) return true;
    return ::lstat(path.c_str(), &st) == 0 && known(st);
}

std::vector<int> outputNameClashes(const std::vector<std::string>& inputs, const std::vector<std::string>& kinds,
                                   const std::string& directory) {
    std::vector<int> clashes(inputs.size(), -1);
    std::map<std::string, int> owner;  // output path -> the input it is written for
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (const std::string& kind : kinds) {
            const auto it = owner.find(outputPath(directory, inputs[i], kind));
            if (it != owner.end()) {
                clashes[i] = it->second;
                break;
            }
        }
        if (clashes[i] >= 0) continue;
        for (const std::string& kind : kinds) owner.emplace(outputPath(directory, inputs[i], kind), static_cast<int>(i));
    }
    return clashes;
}

}  // namespace velta::cli
