// The unit and a one-line description of every catalogue option, as the
// option editors show them beside the option's name.
#pragma once

#include <string>

namespace velta {

struct OptionHelp {
    const char* unit;         // "" for switches, texts and counts
    const char* description;  // one line
};

// The help of that catalogue option, or nullptr for a name the catalogue lacks.
const OptionHelp* findOptionHelp(const std::string& name);

}  // namespace velta
