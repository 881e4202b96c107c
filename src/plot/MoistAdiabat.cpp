#include "plot/MoistAdiabat.h"

#include <cmath>

#include "qc/MetFormulas.h"

namespace velta {

namespace {

constexpr double Tolerance = 0.01;
constexpr double FirstStep = 60.0;
// A search that has halved its step this far without meeting the target is
// stuck against the end of the range it can reach (120 K either side of its
// start) and begins again from where it stands with the first step.
constexpr double SmallestStep = 1e-7;
// About thirty such rounds, reaching well past absolute zero: a target out of
// reach ends the search here.
constexpr int MaxSteps = 1000;

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
        if (step < SmallestStep) step = FirstStep;
    }
    return std::nullopt;
}

}  // namespace velta
