#include "wmo/DecodedFigures.h"

#include <cmath>

namespace velta {

namespace {

// Height of a pressure in the ICAO standard atmosphere, m.
double standardAtmosphereHeight(double p) {
    if (p >= 226.32) return 44330.77 * (1.0 - std::pow(p / 1013.25, 0.190263));
    if (p >= 54.749) return 11000.0 + 6341.62 * std::log(226.32 / p);
    if (p >= 8.6802) return 20000.0 + 216650.0 * (std::pow(p / 54.749, -1.0 / 34.1632) - 1.0);
    return 32000.0 + 228.65 / 0.0028 * (std::pow(p / 8.6802, -1.0 / 12.2011) - 1.0);
}

}  // namespace

std::optional<int> digitValue(std::string_view figures) {
    if (figures.empty() || figures.size() > 9) return std::nullopt;
    int n = 0;
    for (char c : figures) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool allSlashes(std::string_view figures) {
    if (figures.empty()) return false;
    for (char c : figures)
        if (c != '/') return false;
    return true;
}

bool decodePressure(std::string_view ppp, bool upperParts, std::optional<double>& pressure) {
    pressure.reset();
    if (ppp.size() != 3) return false;
    if (allSlashes(ppp)) return true;
    const auto n = digitValue(ppp);
    if (!n) return false;
    if (upperParts)
        pressure = *n == 0 ? 100.0 : *n / 10.0;
    else
        pressure = *n < 100 ? *n + 1000.0 : *n;
    return true;
}

std::optional<double> standardPressure(std::string_view pp, bool upperParts) {
    static constexpr struct {
        const char* figures;
        double pressure;
    } Lower[] = {{"00", 1000}, {"92", 925}, {"85", 850}, {"70", 700}, {"50", 500}, {"40", 400},
                 {"30", 300},  {"25", 250}, {"20", 200}, {"15", 150}, {"10", 100}},
      Upper[] = {{"70", 70}, {"50", 50}, {"30", 30}, {"20", 20}, {"10", 10},
                 {"07", 7},  {"05", 5},  {"03", 3},  {"02", 2},  {"01", 1}};
    const auto* first = upperParts ? std::begin(Upper) : std::begin(Lower);
    const auto* last = upperParts ? std::end(Upper) : std::end(Lower);
    for (const auto* s = first; s != last; ++s)
        if (pp == s->figures) return s->pressure;
    return std::nullopt;
}

bool decodeHeight(std::string_view hhh, double pressure, std::optional<double>& height) {
    height.reset();
    if (hhh.size() != 3) return false;
    if (allSlashes(hhh)) return true;
    const auto n = digitValue(hhh);
    if (!n) return false;
    if (pressure == 1000.0 && *n >= 500) {
        height = -(*n - 500.0);
        return true;
    }
    const double unit = pressure > 500.0 ? 1.0 : 10.0;
    const double reference = standardAtmosphereHeight(pressure) / unit;
    const double thousands = std::round((reference - *n) / 1000.0);
    height = (*n + 1000.0 * std::fmax(thousands, 0.0)) * unit;
    return true;
}

bool decodeTemperature(std::string_view ttta, std::optional<double>& temperature) {
    temperature.reset();
    if (ttta.size() != 3) return false;
    if (allSlashes(ttta)) return true;
    const auto n = digitValue(ttta);
    if (!n) return false;
    const double magnitude = *n / 10.0;
    temperature = *n % 2 ? -magnitude : magnitude;
    return true;
}

bool decodeDepression(std::string_view dd, std::optional<double>& depression) {
    depression.reset();
    if (dd.size() != 2) return false;
    if (allSlashes(dd)) return true;
    const auto n = digitValue(dd);
    if (!n || (*n > 50 && *n < 56)) return false;
    depression = *n <= 50 ? *n / 10.0 : *n - 50.0;
    return true;
}

bool decodeWind(std::string_view ddfff, std::optional<double>& direction, std::optional<double>& speed) {
    direction.reset();
    speed.reset();
    if (ddfff.size() != 5) return false;
    if (allSlashes(ddfff)) return true;
    const auto dd = digitValue(ddfff.substr(0, 2));
    const auto fff = digitValue(ddfff.substr(2));
    if (!dd || !fff || *dd > 36) return false;
    const bool five = *fff >= 500;
    // 36 with a 5 would be 365 degrees.
    if (five && *dd == 36) return false;
    if (*dd == 0 && *fff == 0) {
        direction = 0.0;
        speed = 0.0;
        return true;
    }
    direction = *dd * 10.0 + (five ? 5.0 : 0.0);
    if (*direction == 0.0) direction = 360.0;
    speed = five ? *fff - 500.0 : *fff;
    return true;
}

}  // namespace velta
