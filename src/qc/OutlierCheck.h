// Distance from the regression line: fits value = a * time + b through all
// points of the first member once, and removes from the whole group every point
// after the first whose residual exceeds factor times the residual standard
// deviation.
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct OutlierCheck {
    // Answers the number of points removed. A series that lies on its line
    // (standard deviation 0) has no outliers: the residuals left are rounding.
    int32_t operator()(SeriesGroup& group, double factor) const;
};

}  // namespace velta
