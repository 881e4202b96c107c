// The data point just above the 110 mb crossing, for the 110-100 mb layer of
// the message.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// "110-100mb Temperature": time, pressure and temperature of that point of the
// temperature series, with the humidity there.
void add110mbTemperature(LevelContext& ctx);

// "110-100mb Winds": the same from the u series, with v there and the speed
// and direction.
void add110mbWinds(LevelContext& ctx);

}  // namespace velta
