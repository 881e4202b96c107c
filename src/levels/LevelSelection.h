// Picking levels out of a level list.
#pragma once

#include <vector>

#include "levels/Level.h"

namespace velta {

// Copies of the levels whose type is in types (a type listed twice copies its
// levels twice), whose pressure p satisfies pmin <= p < pmax (a level without
// a pressure counts as 0), and that are not excluded unless includeExcluded is
// set; in list order.
std::vector<Level> selectLevels(const std::vector<Level>& levels, const std::vector<LevelType>& types,
                                double pmin, double pmax, bool includeExcluded);

// Copies of all levels that have a pressure, in level order.
std::vector<Level> pressureOrderedLevels(const std::vector<Level>& levels);

}  // namespace velta
