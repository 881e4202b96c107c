// The order of the level list: from the top of the sounding to the surface.
#pragma once

#include <vector>

#include "levels/Level.h"

namespace velta {

// True when a goes before b. Levels with a pressure come first, lower pressure
// first; at equal pressures a level with a time goes before one without, two
// timed levels go by time, and what is still equal goes by type code. Levels
// without a pressure follow all others, by time (untimed last), then by type
// code. This is a strict weak ordering, so sorting is always well defined.
bool levelBefore(const Level& a, const Level& b);

// Sorts by levelBefore, keeping the creation order of levels that compare
// equal, so that the same input always gives the same list.
void sortLevels(std::vector<Level>& levels);

}  // namespace velta
