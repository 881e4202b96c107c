// Finding the configuration files: first in the working directory, then in the
// directory an environment variable names.
#pragma once

#include <string>

namespace velta {

struct LocatedFile {
    bool found = false;
    std::string path;  // the readable file, or the last path tried
};

// Tries "./" + name, then $envVar + "/" + name when the variable is set.
LocatedFile locateFile(const std::string& fileName, const std::string& envVar = "VELTACONFIG");

// Directory part of a path: everything before its last '/' or '\'; "." for a bare name.
std::string directoryOf(const std::string& path);

}  // namespace velta
