// What the About box and the data files tell about the build: version-control
// revision, date of the last change and repository, by key. The build directory
// is left out: no path of the build machine goes into the programs.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velta {

using BuildInformation = std::vector<std::pair<std::string, std::string>>;

// SVNREVISION, SVNLASTCHANGEDDATE, SVNURL, in this order.
const BuildInformation& buildInformation();
// The line of a key; empty when the build has none.
std::string buildInformationLine(const std::string& key);

// "Version: " + version, then the revision and last-change lines when present.
std::string aboutText(const std::string& version);

}  // namespace velta
