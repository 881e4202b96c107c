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

}  // namespace velta
