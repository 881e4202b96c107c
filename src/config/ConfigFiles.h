// Where the configuration file and its DTD are read from and saved to: the disk for the
// program; memory for tests and the fuzzer, so that nothing is left behind and no save
// waits for a disk.
#pragma once

#include <map>
#include <string>

namespace velta {

class ConfigFiles {
public:
    virtual ~ConfigFiles() = default;
    // The whole file; false when it is not a regular file or cannot be read.
    virtual bool read(const std::string& path, std::string& bytes) = 0;
    // Replaces the whole file; empty on success, otherwise why it could not be replaced.
    virtual std::string replace(const std::string& path, const std::string& bytes) = 0;
};

// The file system; a replaced file is never seen half-written.
ConfigFiles& diskConfigFiles();

// Files held by name in memory.
class MemoryConfigFiles : public ConfigFiles {
public:
    bool read(const std::string& path, std::string& bytes) override;
    std::string replace(const std::string& path, const std::string& bytes) override;

    std::map<std::string, std::string> files;
};

}  // namespace velta
