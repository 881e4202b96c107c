// Levels on both sides of a gap in the temperature or humidity data.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// Pairs of "Missing Temperature Top"/"Bottom" levels where consecutive
// temperature points lie more than 60 s apart; each gets the humidity there.
void addMissingTemperatureLevels(LevelContext& ctx);

// The same for humidity ("Missing RH Top"/"Bottom"), with the temperature.
void addMissingHumidityLevels(LevelContext& ctx);

}  // namespace velta
