// Isolated spikes: a point that jumps away from both neighbours faster than the
// slope limit (value units per second) is removed from the whole group. The
// first point and the last two points are never tested.
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct BuddyCheck {
    // Answers the number of points removed.
    int32_t operator()(SeriesGroup& group, double slopeLimit) const;
};

}  // namespace velta
