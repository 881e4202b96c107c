// Distance from a smoothing spline: fits the spline of the given cut-off
// wavelength (seconds) through all points of the first member once and removes
// from the whole group every point farther than deviation from the curve. A
// launch or surface point at either end is not tested.
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct FilterCheck {
    // failed: set when the spline could not be fitted (the group is then left
    // as it is), cleared otherwise; fewer than three points are not a failure.
    // Answers the number of points removed.
    int32_t operator()(SeriesGroup& group, double deviation, double wavelength, bool& failed) const;
};

}  // namespace velta
