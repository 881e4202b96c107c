#include "ui/CellFormat.h"

#include <fmt/printf.h>
#include <cmath>

#include "sounding/MissingValue.h"

namespace velta {

std::string formatValue(const char* format, double value) {
    return fmt::sprintf(format, value);
}

QString cellText(const char* format, double value) {
    if (value == MissingValue) return {};
    if (std::fabs(value) > 1000000.0) return QString::fromStdString(formatValue("%8.1e", value));
    return QString::fromStdString(formatValue(format, value));
}

}  // namespace velta
