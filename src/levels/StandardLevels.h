// The mandatory pressure levels.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// A "Standard" level at each mandatory pressure the pressure series crosses,
// a 1000 mb level below a surface between 949.5 and 1000 mb, the launch wind
// on the highest level of a drop released just above it, and empty levels for
// every mandatory pressure from 1000 mb up to the highest one reached.
void addStandardLevels(LevelContext& ctx);

}  // namespace velta
