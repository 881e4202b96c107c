// The levels at the bottom of the sounding: surface thermodynamic values,
// lowermost data, the extrapolated surface pressure and the surface wind.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// "Surface Thermodynamic", with "Lowermost Thermodynamic" where the surface
// lacks temperature or humidity and, for a drop that did not reach the
// surface, "Extrapolated Sfc Pressure".
void addSurfaceThermodynamic(LevelContext& ctx);

// "Surface Winds", with "Lowermost Winds" and "62626 Last Wind Altitude" where
// the rules call for them.
void addSurfaceWinds(LevelContext& ctx);

}  // namespace velta
