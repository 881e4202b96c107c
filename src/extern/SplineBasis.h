// Scale-controlled cubic B-spline smoothing: the part that depends only on the abscissae.
//
// The smoothed curve is s(x) = sum_m a_m B((x - x_m) / dx) on uniform nodes x_m = x_0 + m dx that cover
// the data. Its coefficients minimise
//     sum_i (s(x_i) - y_i)^2 / rho + eps * integral (s'')^2 dx
// with rho = n / span (the data density) and eps = (wavelength / 2 pi)^4, so that on dense data a
// sinusoid of wavelength L is passed with the factor 1 / (1 + (wavelength / L)^4): one half at the
// cut-off wavelength, nearly all of it at a few times that, almost nothing below it.
//
// The normal matrix depends on the abscissae and the wavelength only. SplineBasis builds and factors it
// (banded Cholesky) once; any number of SplineCurve objects can then be fitted to different ordinates
// on the same abscissae at the cost of one banded back-substitution each.
#pragma once

#include <cstddef>
#include <vector>

namespace velta {

class SplineBasis {
public:
    // The only boundary condition supported: s'' = 0 at both ends of the node domain.
    static constexpr int NaturalEnds = 2;

    // x: n abscissae, in any order, repeats allowed, all finite; at least two must differ.
    // wavelength: cut-off wavelength in the unit of x, > 0.
    // boundaryCondition: NaturalEnds (2); any other value makes the basis unusable.
    // nodeCount: 0 lets the basis choose the spacing (wavelength / 4, coarser up to wavelength / 2 where
    // the data are sparser than that); a value >= 2 asks for that many nodes across the data.
    // The abscissae are copied; the caller's array may be released afterwards.
    SplineBasis(const double* x, std::size_t n, double wavelength, int boundaryCondition = NaturalEnds,
                int nodeCount = 0);

    // False when no curve can be fitted on these abscissae (see the constructor's conditions, or a
    // normal matrix that does not factor). Curves built on an unusable basis report failure too.
    bool ok() const { return ok_; }

    std::size_t size() const { return x_.size(); }
    double wavelength() const { return wavelength_; }
    double domainStart() const { return x0_; }
    double nodeSpacing() const { return dx_; }
    // Number of node intervals; the nodes are x_0 ... x_intervals.
    int intervals() const { return intervals_; }

    // For SplineCurve: the abscissae and the factored normal matrix (upper band, column-major, with
    // bandWidth() superdiagonals) over the unknowns left after the end conditions.
    const std::vector<double>& abscissae() const { return x_; }
    const std::vector<double>& factoredBand() const { return band_; }
    int bandWidth() const { return bandWidth_; }
    int unknowns() const { return intervals_ + 1; }

    // The (at most four) unknowns that carry the basis functions at x, with their weights, after the
    // end conditions have been folded in. Returns the first unknown's index; weights[0..3] belong to
    // first .. first + 3 (trailing weights may be zero). x must lie in the node domain (it is clamped).
    int foldedWeights(double x, double weights[4]) const;

private:
    std::vector<double> x_;
    std::vector<double> band_;
    double wavelength_ = 0.0;
    double x0_ = 0.0;
    double dx_ = 0.0;
    int intervals_ = 0;
    int bandWidth_ = 0;
    bool ok_ = false;
};

}  // namespace velta
