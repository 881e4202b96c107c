#include "ui/CellFormat.h"

#include <cmath>
#include <cstdio>

#include "sounding/MissingValue.h"

namespace velta {

std::string formatValue(const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

QString cellText(const char* format, double value) {
    if (value == MissingValue) return {};
    if (std::fabs(value) > 1000000.0) return QString::fromStdString(formatValue("%8.1e", value));
    return QString::fromStdString(formatValue(format, value));
}

}  // namespace velta
