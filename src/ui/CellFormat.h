// Formatting of grid and printed values: printf formats, MissingValue empty.
#pragma once

#include <QString>
#include <string>

namespace velta {

// The value with the C format; empty for MissingValue; "%8.1e" for a
// magnitude above 1000000.
QString cellText(const char* format, double value);
// The value printed with a printf format of one double.
std::string formatValue(const char* format, double value);

}  // namespace velta
