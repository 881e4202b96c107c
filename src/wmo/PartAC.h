// The sections of parts A and C: surface (A only) and standard isobaric
// surfaces, tropopause (88) and maximum wind (77/66).
#pragma once

#include <vector>

#include "levels/Level.h"
#include "wmo/MessageSection.h"

namespace velta {

// Order 2: in part A (index 0) the surface groups, then every standard level
// of the part from the bottom up.
MessageSection standardLevelsSection(const std::vector<Level>& levels, int partIndex);
// Order 3: "88999" or one 88PPP TTTaDD ddfff block per tropopause.
MessageSection tropopauseSection(const std::vector<Level>& levels, int partIndex);
// Order 4: "77999" or 77PPP/66PPP ddfff 4vbvbvava.
MessageSection maximumWindSection(const std::vector<Level>& levels, int partIndex);

}  // namespace velta
