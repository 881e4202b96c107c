// The mean winds of the 62626 remarks of a drop.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// Fewest wind points below 500 m for a mean boundary-layer wind.
inline constexpr int32_t MinBoundaryLayerPoints = 35;

// "62626 Mean BL Wind" (below 500 m), "62626 Deep Layer Mean Wind" (the whole
// drop) and "62626 150m Layer Mean Wind" (the lowest 150 m); drops only.
void addMeanWindLayers(LevelContext& ctx);

}  // namespace velta
