// Low-pass filtering of a series in time with a smoothing spline whose
// stiffness is a cut-off wavelength in seconds.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

struct SplineSmoother {
    // Fits the spline through all points (launch and surface points included)
    // and replaces the values of points 1 ... n - 1 by the curve; point 0 keeps
    // its value. failed = true, and the series is left unchanged, when no
    // curve could be fitted.
    void operator()(DataSeries& series, double wavelength, bool& failed) const;
    // Both series, each as above; two series at the same times (the wind
    // components) share one basis. failed when either could not be fitted; the
    // second is not touched when the first failed.
    void operator()(DataSeries& first, DataSeries& second, double wavelength, bool& failed) const;
};

}  // namespace velta
