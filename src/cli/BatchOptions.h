// The command line of velta-batch and the option assignments it applies.
#pragma once

#include <string>
#include <vector>

namespace velta {
class ConfigSet;
}

namespace velta::cli {

struct BatchOptions {
    std::vector<std::string> files;
    std::string configPath;
    std::string setName;
    std::vector<std::string> assignments;  // "Name=value"
    int jobs = 1;
};

// Applies "Name=value" assignments to the set for this run. A catalogue option
// takes the value (a number for numeric options); an override name (such as
// launchPresOverride) becomes an unbound numeric option, as the desktop's
// override fields do. False with a reason for a malformed assignment, an
// unknown name, or a non-numeric value of a numeric option.
bool applyOptionAssignments(ConfigSet& set, const std::vector<std::string>& assignments, std::string& problem);

}  // namespace velta::cli
