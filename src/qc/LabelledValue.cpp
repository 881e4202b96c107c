#include "qc/LabelledValue.h"

#include <fmt/printf.h>

namespace velta {

std::string labelledValue(const std::string& label, double value, int decimals, const std::string& unit) {
    std::string out = label;
    // Never the locale's decimal mark: these lines go into the log and the file headers.
    std::string number = fmt::sprintf("%.*f", decimals, value);
    out.append(number, 0, 63);
    out += unit;
    return out;
}

}  // namespace velta
