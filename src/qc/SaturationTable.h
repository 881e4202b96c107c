// Saturation vapour pressure over water: the closed form and its table from 210 K to 310 K.
#pragma once

#include <array>

namespace velta {

inline constexpr int SaturationTableSize = 201;
inline constexpr double SaturationTableStart = 210.0;  // K, entry 0
inline constexpr double SaturationTableStep = 0.5;     // K between entries

// es (mb) over water at T (K): 6.1078 (273.15/T)^5.0065 exp(24.84573 (1 - 273.15/T)).
double closedFormSaturationVaporPressure(double kelvin);

// Entry k is the closed form at 210 + 0.5 k K, rounded to 5 decimal places. Built once, never changed.
const std::array<double, SaturationTableSize>& saturationTable();

}  // namespace velta
