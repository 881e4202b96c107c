// The level of the pressure surface a station at the known surface altitude
// reports its base at.
#pragma once

#include <optional>

#include "levels/LevelContext.h"

namespace velta {

// 850 mb below 1000 m, 800 mb up to 1400 m, 750 mb up to 2000 m, none above.
std::optional<double> stationBasePressure(double surfaceAltitude);

// "Station Base Pressure" where the pressure series crosses that pressure,
// with the temperature and humidity there; only with a known surface altitude.
void addStationBasePressure(LevelContext& ctx);

}  // namespace velta
