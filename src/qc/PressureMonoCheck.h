// Monotonic pressure: in a drop pressure must rise with time, in an ascent
// fall. A sample that breaks the order relative to the last accepted sample,
// or lies below 1 mb, is removed; only accepted samples become the reference.
#pragma once

#include <cstdint>

#include "sounding/DataSeries.h"

namespace velta {

struct PressureMonoCheck {
    // Answers the number of points removed. The first point is the first
    // reference and is never removed.
    int32_t operator()(DataSeries& pressure, bool ascending) const;
};

}  // namespace velta
