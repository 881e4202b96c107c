// Finding the configuration files: first in the working directory, then in the
// directory an environment variable names.
#pragma once

#include <string>
#include <vector>

namespace velta {

struct LocatedFile {
    bool found = false;
    std::string path;  // the readable file, or the last path tried
};

// Tries "./" + name, then $envVar + "/" + name when the variable is set.
LocatedFile locateFile(const std::string& fileName, const std::string& envVar = "VELTACONFIG");

// The directory of the running program (from /proc/self/exe; else from
// fallbackPath, normally argv[0]); empty when neither tells.
std::string programDirectory(const std::string& fallbackPath = {});

// Where an installation keeps its default files (velta.xml, velta.dtd, Docs/),
// looked for relative to the program so that an installed or moved program works
// wherever it is: $VELTAPROG when set; then <dir>/../share/velta (<prefix>/bin
// beside <prefix>/share/velta); then <dir>/../../share/velta (a build tree, whose
// programs sit one level deeper). The first that holds velta.xml; empty when none.
std::string programDataDirectory(const std::string& programDir);

// Directory part of a path: everything before its last '/' or '\'; "." for a bare name.
std::string directoryOf(const std::string& path);

}  // namespace velta
