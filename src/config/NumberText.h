// Number and text conversions of the configuration file, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

namespace velta {

// The number at the start of the text, read as atof reads it in the C locale (leading white
// space and a sign allowed, hexadecimal, inf and nan too, trailing text ignored); 0 when the text
// does not start with a number. Every number Velta reads from a file goes through here, so that
// no reading depends on the process locale.
double leadingNumber(std::string_view text);

// The value written with "%.6f" (always with a '.' as decimal point).
std::string formatFixed6(double value);

// A value taken from the configuration file: newlines and carriage returns become blanks, then
// blanks are removed from both ends. Tabs and inner blanks stay.
std::string trimConfigText(std::string_view text);

// The text without white space (blank, tab, newline, ...) at either end.
std::string trimWhiteSpace(std::string_view text);

}  // namespace velta
