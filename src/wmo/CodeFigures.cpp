#include "wmo/CodeFigures.h"

#include <cmath>
#include <cstdio>

#include "qc/MetFormulas.h"

namespace velta {

namespace {

std::string format(const char* pattern, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

// Rounded value as an int; the callers have bounded x.
int roundedInt(double x) { return static_cast<int>(roundHalfUp(x)); }

}  // namespace

std::string codePressure(double pressure) {
    double p = pressure;
    if (p <= 100.0) p *= 10.0;
    if (!std::isfinite(p) || p <= 0.0 || p > 1100.0) return "///";
    int n = roundedInt(p);
    if (n >= 1000) n -= 1000;
    return format("%03d", n);
}

std::string codeHeight(double height, double pressure) {
    if (!std::isfinite(height) || std::isnan(pressure)) return "///";
    double c;
    if (height < 0.0) {
        if (height <= -500.0) return "///";
        c = 500.0 - height;
    } else {
        c = pressure > 500.0 ? height : height / 10.0;
        c = std::fmod(c, 1000.0);
    }
    int n = roundedInt(c);
    if (n >= 1000) n -= 1000;
    return format("%03d", n);
}

std::string codeTemperature(double temperature) {
    // Beyond +-99.9 deg C the two tens figures overflow.
    if (!std::isfinite(temperature) || std::fabs(temperature) >= 99.95) return "///";
    const int n = std::abs(roundedInt(temperature * 10.0));
    const int tenths = n % 10;
    const int ta = tenths - tenths % 2 + (temperature < 0.0 ? 1 : 0);
    return format("%02d", n / 10) + format("%01d", ta);
}

std::string codeDepression(double d) {
    if (std::isnan(d) || d < 0.0) return "//";
    if (d <= 5.0) return format("%02d", roundedInt(d * 10.0));
    if (d >= 49.5) return "99";
    const int n = roundedInt(d);
    if (n < 6) return "50";
    return format("%02d", n + 50);
}

std::string codeDewPointDepression(double temperature, double humidity) {
    return codeDepression(dewPointDepression(temperature, humidity));
}

std::string codeWindSpeed(double speed, double direction) {
    if (!std::isfinite(speed) || speed >= 900.0 || speed < 0.0) return "///";
    const double knots = roundHalfUp(speed * KnotsPerMs);
    if (knots == 0.0) return "000";
    // 500 and more is the mark of a direction ending in 5.
    if (knots > 499.0) return "///";
    int k = static_cast<int>(knots);
    const double rest = std::fmod(direction, 10.0);
    if (rest > 2.5 && rest <= 7.5) k += 500;
    return format("%03d", k);
}

std::string codeWindDirection(double speed, double direction) {
    const std::string fff = codeWindSpeed(speed, direction);
    if (fff == "000") return "00";
    if (!std::isfinite(direction) || direction < 0.0 || direction > 360.0) return "//";
    int b = static_cast<int>(direction / 10.0);
    if (std::fmod(direction, 10.0) > 7.5) ++b;
    if (b > 35) b -= 36;
    // North is 36: "00" is the calm figure, and with fff of 500 and more the
    // direction 005.
    if (b == 0 && fff[0] < '5') return "36";
    return format("%02d", b);
}

std::string codeWind(double speed, double direction) {
    return codeWindDirection(speed, direction) + codeWindSpeed(speed, direction);
}

std::string codeTwoFigurePressure(double pressure) {
    if (!std::isfinite(pressure) || pressure < 0.0) return "//";
    const double rounded = roundHalfUp(std::fmin(pressure, 1e6));
    if (pressure >= 100.0 || rounded >= 100.0) {
        const int b = static_cast<int>(rounded) / 10;
        return b > 99 ? "00" : format("%02d", b);
    }
    return format("%02d", static_cast<int>(rounded));
}

std::string codeLevelNumber(int number) {
    const int digit = (number % 10 + 10) % 10;
    return std::string(2, static_cast<char>('0' + digit));
}

std::string codeQuadrant(double latitude, double longitude) {
    if (latitude >= 0.0) return longitude >= 0.0 ? "1" : "7";
    return longitude >= 0.0 ? "3" : "5";
}

std::string codeMarsdenSquare(double latitude, double longitude, const std::string& quadrant) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0 ||
        std::fabs(longitude) > 180.0)
        return "/////";
    int d = static_cast<int>(std::fabs(longitude)) / 10 + 1;
    if (d == 19) d = 18;
    int e = static_cast<int>(std::fabs(latitude)) / 10 + 1;
    if (e == 10) e = 9;
    int square;
    if (quadrant == "7")
        square = latitude >= 80.0 ? d + 900 : d + 36 * e - 36;
    else if (quadrant == "1")
        square = latitude >= 80.0 ? 937 - d : 36 * e - d + 1;
    else if (quadrant == "5")
        square = d + 36 * e + 263;
    else if (quadrant == "3")
        square = 36 * e - d + 300;
    else
        return "/////";
    const int ula = roundedInt(std::fabs(latitude) * 10.0) / 10 % 10;
    const int ulo = roundedInt(std::fabs(longitude) * 10.0) / 10 % 10;
    return format("%03d", square) + format("%01d", ula) + format("%01d", ulo);
}

std::string codeWindIndicator(int partIndex, double p) {
    if (partIndex == 0) {
        if (p < 200) return "1";
        if (p < 300) return "2";
        if (p < 400) return "3";
        if (p < 500) return "4";
        if (p < 700) return "5";
        if (p < 850) return "7";
        if (p < 925) return "8";
        if (p < 1000) return "9";
        return "0";
    }
    if (p < 20) return "1";
    if (p < 30) return "2";
    if (p < 50) return "3";
    if (p < 70) return "5";
    return "7";
}

std::string codeWindShear(double speed1, double direction1, double speed2, double direction2) {
    double u1, v1, u2, v2;
    windComponents(speed1, direction1, u1, v1);
    windComponents(speed2, direction2, u2, v2);
    const double knots = std::hypot(u1 - u2, v1 - v2) * KnotsPerMs;
    if (!std::isfinite(knots)) return "//";
    return format("%02d", static_cast<int>(std::fmin(roundHalfUp(knots), 99.0)));
}

}  // namespace velta
