// Altitudes of mandatory levels just beyond the ends of the pressure data.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// "Extrapolated Altitude" for the first mandatory pressure up to 25 mb above
// the top of the data, and, for a drop that did not reach the surface, for
// the first one between 1 and 25 mb below its last point.
void addExtrapolatedAltitudes(LevelContext& ctx);

}  // namespace velta
