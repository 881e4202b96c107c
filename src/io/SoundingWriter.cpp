#include "io/SoundingWriter.h"

#include <fmt/printf.h>
#include <cmath>

namespace velta {

namespace {

// printf formatting that never looks at the process locale: the decimal mark is always '.'
// and nothing is grouped, whatever the user's settings.
template <typename T>
std::string print(const char* format, T value) {
    return fmt::sprintf(format, value);
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
