// A smoothing spline fitted to one set of ordinates on a SplineBasis.
#pragma once

#include <cstddef>
#include <vector>

#include "extern/SplineBasis.h"

namespace velta {

class SplineCurve {
public:
    // y: basis.size() ordinates, in the order of the basis' abscissae. The fit is done here; read ok()
    // right after construction. The curve keeps its own coefficients and does not refer to the basis
    // afterwards.
    SplineCurve(const SplineBasis& basis, const double* y);

    // The success indicator: false when no curve could be fitted (unusable basis, non-finite
    // ordinates, failed solve).
    bool ok() const { return ok_; }

    // Smoothed value at x. Beyond the ends of the data the curve continues as a straight line with the
    // end value and slope. A failed curve returns NaN, so that its values cannot pass for data.
    double evaluate(double x) const;

    // First derivative of the smoothed curve at x (value units per unit of x). A failed curve returns 0.
    double slope(double x) const;

private:
    // Interval index and local coordinate u in [0, 1] of x, x clamped to the node domain.
    int locate(double x, double& u) const;
    double valueAt(int k, double u) const;
    double slopeAt(int k, double u) const;

    // Coefficients a_{-1} ... a_{intervals + 1}, stored from index 0.
    std::vector<double> coefficients_;
    double x0_ = 0.0;
    double dx_ = 1.0;
    int intervals_ = 0;
    bool ok_ = false;
};

}  // namespace velta
