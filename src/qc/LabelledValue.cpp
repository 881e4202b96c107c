#include "qc/LabelledValue.h"

#include <cstdio>

namespace velta {

std::string labelledValue(const std::string& label, double value, int decimals, const std::string& unit) {
    char number[64];
    const int len = std::snprintf(number, sizeof number, "%.*f", decimals, value);
    std::string out = label;
    if (len > 0) out.append(number, static_cast<std::size_t>(len < 64 ? len : 63));
    out += unit;
    return out;
}

}  // namespace velta
