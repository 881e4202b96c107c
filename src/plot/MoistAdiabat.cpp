#include "plot/MoistAdiabat.h"

#include <cmath>

#include "qc/MetFormulas.h"

namespace velta {

namespace {

constexpr double Tolerance = 0.01;
constexpr double FirstStep = 60.0;
// The steps shrink by half each time, so far fewer than this reach any
// precision a double holds; a target out of reach ends the search here.
constexpr int MaxSteps = 200;

}  // namespace

double saturatedThetaE(double kelvin, double pressure) {
    return MetFormulas().equivalentPotentialTemperature(kelvin, kelvin, pressure);
}

std::optional<double> moistAdiabatTemperature(double thetaE, double pressure) {
    double t = 273.15;
    double step = FirstStep;
    for (int i = 0; i < MaxSteps; ++i) {
        const double e = saturatedThetaE(t, pressure) - thetaE;
        if (!std::isfinite(e)) return std::nullopt;
        if (std::fabs(e) <= Tolerance) return t;
        t = e < 0.0 ? t + step : t - step;
        step /= 2.0;
        if (step == 0.0) step = FirstStep;
    }
    return std::nullopt;
}

}  // namespace velta
