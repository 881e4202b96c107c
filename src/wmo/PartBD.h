// The sections of parts B and D (significant temperature and wind levels)
// and the groups every part carries: 31313 and the regional 51515.
#pragma once

#include <vector>

#include "levels/Level.h"
#include "sounding/SoundingHeader.h"
#include "wmo/MessageSection.h"

namespace velta {

// Order 5: nnPPP TTTaDD per significant temperature and humidity level.
MessageSection significantTemperatureSection(const std::vector<Level>& levels, int partIndex);
// Order 6: 21212 and nnPPP ddfff per significant wind level.
MessageSection significantWindSection(const std::vector<Level>& levels, int partIndex);
// Order 7: 31313 srrarasasa 8GGgg.
MessageSection section31313(const SoundingHeader& header, int partIndex);
// Order 9: 51515 with 10190 per extrapolated mandatory altitude and 10191 for
// an extrapolated surface pressure; no groups when there are none.
MessageSection section51515(const std::vector<Level>& levels, int partIndex);

// Levels of these types in the range (excluded ones left out), in level order,
// keeping of several that code to the same PPP only the highest.
std::vector<Level> significantLevels(const std::vector<Level>& levels, const std::vector<LevelType>& types,
                                     double pmin, double pmax);

}  // namespace velta
