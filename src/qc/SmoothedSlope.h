// What the dynamic corrections share: the smoothing spline of a series, and the range of its points
// that a correction may change (a flagged launch, surface or override point at either end is kept).
#pragma once

#include <cstdint>
#include <memory>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"
#include "sounding/DataSeries.h"

namespace velta {

class SmoothedSlope {
public:
    // Fits the spline over all points of series with the given cut-off wavelength (s).
    SmoothedSlope(const DataSeries& series, double wavelength);

    // d value / dt of the smoothed series at t; 0 everywhere when no curve could be fitted.
    double at(double t) const { return curve_.slope(t); }

    // The index range [first, last] a correction works on.
    static int32_t firstCorrected(const DataSeries& series);
    static int32_t lastCorrected(const DataSeries& series);

private:
    SplineCurve curve_;
};

}  // namespace velta
