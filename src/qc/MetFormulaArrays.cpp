#include "qc/MetFormulaArrays.h"

#include <cstddef>

#include "qc/MetFormulas.h"
#include "sounding/MissingValue.h"

namespace velta {

namespace {

constexpr double CelsiusOffset = 273.16;

bool present(double v) { return v > MissingValue; }

template <typename F>
bool apply2(std::span<const double> a, std::span<const double> b, std::span<double> out, F f) {
    if (a.size() != out.size() || b.size() != out.size()) {
        return false;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = present(a[i]) && present(b[i]) ? f(a[i], b[i]) : MissingValue;
    }
    return true;
}

template <typename F>
bool apply3(std::span<const double> a, std::span<const double> b, std::span<const double> c,
            std::span<double> out, F f) {
    if (a.size() != out.size() || b.size() != out.size() || c.size() != out.size()) {
        return false;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = present(a[i]) && present(b[i]) && present(c[i]) ? f(a[i], b[i], c[i]) : MissingValue;
    }
    return true;
}

}  // namespace

bool dewPointArray(std::span<const double> celsius, std::span<const double> relativeHumidity,
                   std::span<double> out) {
    return apply2(celsius, relativeHumidity, out, [](double t, double rh) { return dewPoint(t, rh); });
}

bool saturationMixingRatioArray(std::span<const double> celsius, std::span<const double> pressure,
                                std::span<double> out) {
    const MetFormulas met;
    return apply2(celsius, pressure, out,
                  [&](double t, double p) { return met.saturationMixingRatio(t + CelsiusOffset, p); });
}

bool potentialTemperatureArray(std::span<const double> celsius, std::span<const double> pressure,
                               std::span<double> out) {
    const MetFormulas met;
    return apply2(celsius, pressure, out,
                  [&](double t, double p) { return met.potentialTemperature(t + CelsiusOffset, p); });
}

bool potentialTemperatureKelvinArray(std::span<const double> kelvin, std::span<const double> pressure,
                                     std::span<double> out) {
    const MetFormulas met;
    return apply2(kelvin, pressure, out, [&](double t, double p) { return met.potentialTemperature(t, p); });
}

bool equivalentPotentialTemperatureArray(std::span<const double> celsius,
                                         std::span<const double> dewPointCelsius,
                                         std::span<const double> pressure, std::span<double> out) {
    const MetFormulas met;
    return apply3(celsius, dewPointCelsius, pressure, out, [&](double t, double td, double p) {
        return met.equivalentPotentialTemperature(t + CelsiusOffset, td + CelsiusOffset, p);
    });
}

bool virtualTemperatureArray(std::span<const double> celsius, std::span<const double> relativeHumidity,
                             std::span<const double> pressure, std::span<double> out) {
    return apply3(celsius, relativeHumidity, pressure, out, [](double t, double rh, double p) {
        const double tk = t + CelsiusOffset;
        return tk * (1.0 + 0.609 * (rh / 100.0) * goffGratchMixingRatio(tk, p));
    });
}

}  // namespace velta
