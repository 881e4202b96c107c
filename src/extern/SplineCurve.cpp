#include "extern/SplineCurve.h"

#include <lapacke.h>

#include <cmath>
#include <limits>

#include "extern/SplineKernel.h"

namespace velta {

SplineCurve::SplineCurve(const SplineBasis& basis, const double* y) {
    if (!basis.ok() || y == nullptr) {
        return;
    }
    const int unknownCount = basis.unknowns();
    std::vector<double> rhs(static_cast<std::size_t>(unknownCount), 0.0);
    const std::vector<double>& x = basis.abscissae();
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!std::isfinite(y[i])) {
            return;
        }
        double w[4];
        const int first = basis.foldedWeights(x[i], w);
        for (int a = 0; a < 4 && first + a < unknownCount; ++a) {
            rhs[static_cast<std::size_t>(first + a)] += w[a] * y[i];
        }
    }

    const int kd = basis.bandWidth();
    const lapack_int info = LAPACKE_dpbtrs(LAPACK_COL_MAJOR, 'U', unknownCount, kd, 1,
                                           basis.factoredBand().data(), kd + 1, rhs.data(), unknownCount);
    if (info != 0) {
        return;
    }
    for (double c : rhs) {
        if (!std::isfinite(c)) {
            return;
        }
    }

    // Restore the outer coefficients fixed by the end conditions.
    intervals_ = basis.intervals();
    x0_ = basis.domainStart();
    dx_ = basis.nodeSpacing();
    const std::size_t last = static_cast<std::size_t>(intervals_);
    coefficients_.resize(last + 3);
    coefficients_[0] = 2.0 * rhs[0] - rhs[1];
    for (std::size_t m = 0; m <= last; ++m) {
        coefficients_[m + 1] = rhs[m];
    }
    coefficients_[last + 2] = 2.0 * rhs[last] - rhs[last - 1];
    ok_ = true;
}

int SplineCurve::locate(double x, double& u) const { return spline::locate(x, x0_, dx_, intervals_, u); }

double SplineCurve::valueAt(int k, double u) const {
    double b[4];
    spline::values(u, b);
    const double* a = coefficients_.data() + k;
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

double SplineCurve::slopeAt(int k, double u) const {
    double d[4];
    spline::derivatives(u, d);
    const double* a = coefficients_.data() + k;
    return (a[0] * d[0] + a[1] * d[1] + a[2] * d[2] + a[3] * d[3]) / dx_;
}

double SplineCurve::evaluate(double x) const {
    if (!ok_ || std::isnan(x)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double u = 0.0;
    const int k = locate(x, u);
    const double value = valueAt(k, u);
    // Beyond the node domain the curve goes on straight (s'' = 0 at the ends).
    const double end = x < x0_ ? x0_ : x0_ + dx_ * static_cast<double>(intervals_);
    if (x < x0_ || x > end) {
        return value + slopeAt(k, u) * (x - end);
    }
    return value;
}

double SplineCurve::slope(double x) const {
    if (!ok_) {
        return 0.0;
    }
    if (std::isnan(x)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double u = 0.0;
    const int k = locate(x, u);
    return slopeAt(k, u);
}

}  // namespace velta
