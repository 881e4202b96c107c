// Temperatures along the lines of constant saturated equivalent potential
// temperature, the moist adiabats of the skew-T.
#pragma once

#include <optional>

namespace velta {

// theta-e (K) of saturated air at T (K) and p (mb).
double saturatedThetaE(double kelvin, double pressure);

// The temperature (K) at pressure p (mb) whose saturated theta-e is within
// 0.01 K of the target: halving steps from 273.15 K, starting with 60 K and
// starting again with 60 K when the step has become negligible. Nothing when
// no such temperature is found within a bounded number of steps.
std::optional<double> moistAdiabatTemperature(double thetaE, double pressure);

}  // namespace velta
