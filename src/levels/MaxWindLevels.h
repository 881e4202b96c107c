// The maximum wind and the wind shear around it.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// Speed a maximum wind must reach: 60.5 kt in m/s.
inline constexpr double MaxWindMinimumSpeed = 60.5 / LevelContext::KnotsPerMs;

// When the fastest level is at least 60.5 kt at or above 500 mb: a "Maximim
// Wind" level copied from it, and "Wind Shear Above"/"Below" levels 914 m
// above and below it.
void addMaxWindLevels(LevelContext& ctx);

}  // namespace velta
