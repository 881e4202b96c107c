// Plausibility limits: removes from the whole group every point whose value in
// the first member lies outside [lower, upper] (or is not a number).
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct LimitCheck {
    // Answers the number of points removed.
    int32_t operator()(SeriesGroup& group, double lower, double upper) const;
};

// Humidity sensors read a few per cent above saturation in cloud. Readings up
// to this are kept and capped at 100 %; only readings beyond it are removed.
inline constexpr double kHumidityKeptUpTo = 105.0;

// Lowers every value above the cap to it; answers the number of values lowered.
int32_t capValues(DataSeries& series, double cap);

}  // namespace velta
