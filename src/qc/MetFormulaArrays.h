// Element-wise forms of the formulas for whole columns of data (derived variables of the writers).
//
// A value is present when it is greater than MissingValue (-999); an element with any input missing
// (or NaN) is written as MissingValue, the others are unaffected. Temperatures are in deg C unless the
// name says kelvin; pressures in mb; RH in %. Each function returns false and writes nothing when the
// inputs and the output are not all of the same length.
#pragma once

#include <span>

namespace velta {

bool dewPointArray(std::span<const double> celsius, std::span<const double> relativeHumidity,
                   std::span<double> out);
bool saturationMixingRatioArray(std::span<const double> celsius, std::span<const double> pressure,
                                std::span<double> out);
bool potentialTemperatureArray(std::span<const double> celsius, std::span<const double> pressure,
                               std::span<double> out);
bool potentialTemperatureKelvinArray(std::span<const double> kelvin, std::span<const double> pressure,
                                     std::span<double> out);
bool equivalentPotentialTemperatureArray(std::span<const double> celsius,
                                         std::span<const double> dewPointCelsius,
                                         std::span<const double> pressure, std::span<double> out);
bool virtualTemperatureArray(std::span<const double> celsius, std::span<const double> relativeHumidity,
                             std::span<const double> pressure, std::span<double> out);

}  // namespace velta
