#include "extern/SplineBasis.h"

#include <lapacke.h>

#include <algorithm>
#include <cmath>

#include "extern/SplineKernel.h"

namespace velta {

namespace {

// More node intervals than this would only come from a wavelength absurdly short for the data span;
// the fit is refused rather than allocating without bound.
constexpr double MaxIntervals = 1.0e6;

// Integral over one node interval, in the local coordinate u, of the products of the second
// derivatives of the four cubic pieces, times 6 so that the entries are exact. Rows sum to zero:
// straight lines cost nothing.
constexpr double CurvatureKernel[4][4] = {
    {2.0, -3.0, 0.0, 1.0},
    {-3.0, 6.0, -3.0, 0.0},
    {0.0, -3.0, 6.0, -3.0},
    {1.0, 0.0, -3.0, 2.0},
};

// Number of node intervals for the data span when the caller leaves the choice to us.
double chooseIntervals(double span, std::size_t n, double wavelength) {
    double spacing = wavelength / 4.0;
    const double dataSpacing = span / static_cast<double>(n - 1);
    if (dataSpacing > spacing) {
        spacing = std::min(dataSpacing, wavelength / 2.0);
    }
    return std::max(1.0, std::ceil(span / spacing));
}

}  // namespace

SplineBasis::SplineBasis(const double* x, std::size_t n, double wavelength, int boundaryCondition,
                         int nodeCount)
    : wavelength_(wavelength) {
    if (x == nullptr || n < 2 || !std::isfinite(wavelength) || !(wavelength > 0.0) ||
        boundaryCondition != NaturalEnds || nodeCount < 0 || nodeCount == 1) {
        return;
    }
    x_.assign(x, x + n);
    double lo = x_[0];
    double hi = x_[0];
    for (double v : x_) {
        if (!std::isfinite(v)) {
            return;
        }
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const double span = hi - lo;
    if (!std::isfinite(span) || !(span > 0.0)) {
        return;  // fewer than two distinct abscissae
    }

    const double intervals =
        nodeCount >= 2 ? static_cast<double>(nodeCount - 1) : chooseIntervals(span, n, wavelength);
    if (intervals > MaxIntervals) {
        return;
    }
    intervals_ = static_cast<int>(intervals);
    x0_ = lo;
    dx_ = span / intervals;
    if (!(dx_ > 0.0)) {
        return;
    }

    const int unknownCount = unknowns();
    bandWidth_ = std::min(3, unknownCount - 1);
    const int ld = bandWidth_ + 1;
    band_.assign(static_cast<std::size_t>(ld) * static_cast<std::size_t>(unknownCount), 0.0);
    auto addBlock = [&](int first, const double block[4][4]) {
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r <= c; ++r) {
                const int i = first + r;
                const int j = first + c;
                if (j < unknownCount && block[r][c] != 0.0) {
                    band_[static_cast<std::size_t>(bandWidth_ + i - j) +
                          static_cast<std::size_t>(j) * static_cast<std::size_t>(ld)] += block[r][c];
                }
            }
        }
    };

    // Data term: sum over the points of the outer products of the basis values.
    for (double v : x_) {
        double w[4];
        const int first = foldedWeights(v, w);
        for (int c = 0; c < 4 && first + c < unknownCount; ++c) {
            // Column first + c of the upper band; row first + r sits at offset bandWidth_ - (c - r).
            double* column = band_.data() +
                             static_cast<std::size_t>(first + c) * static_cast<std::size_t>(ld) +
                             static_cast<std::size_t>(bandWidth_ - c);
            for (int r = 0; r <= c; ++r) {
                column[r] += w[r] * w[c];
            }
        }
    }

    // Curvature term, rho * eps * integral (s'')^2, one node interval at a time. With a single
    // interval the end conditions leave only straight lines, which have no curvature.
    if (intervals_ >= 2) {
        const double rho = static_cast<double>(n) / span;
        const double scaledWavelength = wavelength / (2.0 * M_PI);
        const double eps = std::pow(scaledWavelength, 4.0);
        const double weight = rho * eps / (6.0 * dx_ * dx_ * dx_);
        double interior[4][4];
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                interior[r][c] = weight * CurvatureKernel[r][c];
            }
        }
        for (int k = 0; k < intervals_; ++k) {
            if (spline::isInterior(k, intervals_)) {
                addBlock(k - 1, interior);
                continue;
            }
            double fold[4][4];
            const int first = spline::foldMap(k, intervals_, fold);
            // block = fold^T * kernel * fold
            double block[4][4] = {};
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c) {
                    double sum = 0.0;
                    for (int a = 0; a < 4; ++a) {
                        if (fold[a][r] == 0.0) {
                            continue;
                        }
                        for (int b = 0; b < 4; ++b) {
                            sum += fold[a][r] * CurvatureKernel[a][b] * fold[b][c];
                        }
                    }
                    block[r][c] = weight * sum;
                }
            }
            addBlock(first, block);
        }
    }

    const lapack_int info = LAPACKE_dpbtrf(LAPACK_COL_MAJOR, 'U', unknownCount, bandWidth_, band_.data(), ld);
    ok_ = info == 0;
}

int SplineBasis::foldedWeights(double x, double weights[4]) const {
    double u = 0.0;
    const int k = spline::locate(x, x0_, dx_, intervals_, u);
    if (spline::isInterior(k, intervals_)) {
        spline::values(u, weights);
        return k - 1;
    }
    double b[4];
    spline::values(u, b);
    double fold[4][4];
    const int first = spline::foldMap(k, intervals_, fold);
    for (int c = 0; c < 4; ++c) {
        weights[c] = 0.0;
        for (int a = 0; a < 4; ++a) {
            weights[c] += b[a] * fold[a][c];
        }
    }
    return first;
}

}  // namespace velta
