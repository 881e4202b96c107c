// The lowest and highest usable thermodynamic and wind data of a sounding.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

enum class SoundingEnd { Bottom, Top };

// Scanning the temperature series from that end, the first point with a
// pressure gives a level with its time, pressure, temperature and the
// humidity there. When that level has no humidity, the first humidity point
// from that end with both a pressure and a temperature gives a second level.
void addEndThermodynamic(LevelContext& ctx, SoundingEnd end, LevelType type);

// Scanning the u series from that end, the first point with a pressure gives
// a level with its time, pressure and wind (v there is required). A u series
// holding only the launch point gives nothing.
void addEndWind(LevelContext& ctx, SoundingEnd end, LevelType type);

}  // namespace velta
