#include "qc/SplineSmoother.h"

#include <vector>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"

namespace velta {

namespace {

// Fits the series on the basis (built on the series' own times) and replaces
// points 1 ... n - 1 by the curve.
bool smoothOn(const SplineBasis& basis, const std::vector<double>& t, DataSeries& series) {
    const std::vector<double> y = series.values();
    const SplineCurve curve(basis, y.data());
    if (!curve.ok()) return false;
    for (int32_t i = 1; i < series.size(); ++i)
        series.setValue(i, curve.evaluate(t[static_cast<std::size_t>(i)]));
    return true;
}

}  // namespace

void SplineSmoother::operator()(DataSeries& series, double wavelength, bool& failed) const {
    const std::vector<double> t = series.times();
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    failed = !smoothOn(basis, t, series);
}

void SplineSmoother::operator()(DataSeries& first, DataSeries& second, double wavelength, bool& failed) const {
    const std::vector<double> t = first.times();
    if (second.times() != t) {
        (*this)(first, wavelength, failed);
        if (!failed) (*this)(second, wavelength, failed);
        return;
    }
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    failed = !smoothOn(basis, t, first);
    if (!failed) failed = !smoothOn(basis, t, second);
}

}  // namespace velta
