// Numeric options as the QC steps read them.
#pragma once

#include <string>

#include "qc/QcRun.h"

namespace velta {

// The option's value in the active set; when the set lacks the option, its
// catalogue default (0 for a name the catalogue does not know).
double optionOrDefault(const QcRun& run, const std::string& name);

}  // namespace velta
