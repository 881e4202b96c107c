// Where velta-batch reads its configuration: the file named with --config; else
// velta.xml as the desktop finds it (working directory, then $VELTACONFIG); else
// the default configuration installed with the program.
#pragma once

#include <string>
#include <vector>

namespace velta::cli {

struct ConfigLocation {
    bool found = false;
    std::string path;                // the file to read
    std::vector<std::string> tried;  // every path looked at, for the error message
};

// programPath is argv[0] (used to find the installed default files).
ConfigLocation locateConfiguration(const std::string& explicitPath, const std::string& programPath);

}  // namespace velta::cli
