// Log lines of the form label + number + unit, as the QC steps write them ("Ambient pressure: 200mb").
#pragma once

#include <string>

namespace velta {

// label, then value formatted with printf's "%.<decimals>f", then unit, with no blanks added.
std::string labelledValue(const std::string& label, double value, int decimals, const std::string& unit);

}  // namespace velta
