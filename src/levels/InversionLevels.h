// Temperature inversions below 300 mb.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// "Inversion Top" and "Inversion Bottom" levels around each layer where the
// temperature does not rise with pressure, when the layer is more than 20 mb
// deep or its temperature changes by more than 2.5 deg C.
void addInversionLevels(LevelContext& ctx);

}  // namespace velta
