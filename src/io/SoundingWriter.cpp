#include "io/SoundingWriter.h"

#include <cmath>
#include <cstdio>

namespace velta {

namespace {

template <typename T>
std::string print(const char* format, T value) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
    // Very large magnitudes printed with %f.
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

}  // namespace

std::string SoundingWriter::directory() const {
    const auto at = path_.find_last_of("/\\");
    return at == std::string::npos ? std::string() : path_.substr(0, at);
}

std::string SoundingWriter::format(const char* format, double value) { return print(format, value); }

std::string SoundingWriter::formatOrReplace(const char* format, double value, double replacement) {
    return print(format, value == MissingValue ? replacement : value);
}

std::string SoundingWriter::formatInt(const char* format, int value) { return print(format, value); }

std::string SoundingWriter::formatIntOrReplace(const char* format, int value, int replacement) {
    return print(format, value == static_cast<int>(MissingValue) ? replacement : value);
}

std::string SoundingWriter::formatIf(const char* format, double value, double other, bool condition) {
    return print(format, condition ? value : other);
}

std::string SoundingWriter::degreesMinutes(double value) {
    const double a = std::fabs(value);
    const double whole = std::trunc(a);
    // "%.0f" of the whole part prints what "%d" would, without converting an
    // out-of-range value to int.
    return print("%.0f ", whole) + print("%05.2f", (a - whole) * 60.0);
}

std::string SoundingWriter::launchTimeText(const SoundingHeader& h) {
    return print("%4d, ", h.year) + print("%02d, ", h.month) + print("%02d, ", h.day) +
           print("%02d:", h.hour) + print("%02d:", h.minute) + print("%02d", h.second);
}

}  // namespace velta
