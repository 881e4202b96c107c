// A floor under a series: every value below it is raised to it, the first
// point included.
#pragma once

#include <cstdint>

#include "sounding/DataSeries.h"

namespace velta {

struct LowerLimiter {
    // Answers the number of values raised.
    int32_t operator()(DataSeries& series, double floor) const;
};

}  // namespace velta
