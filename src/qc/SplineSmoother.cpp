#include "qc/SplineSmoother.h"

#include <vector>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"

namespace velta {

void SplineSmoother::operator()(DataSeries& series, double wavelength, bool& failed) const {
    const std::vector<double> t = series.times();
    const std::vector<double> y = series.values();
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    const SplineCurve curve(basis, y.data());
    failed = !curve.ok();
    if (failed) return;
    for (int32_t i = 1; i < series.size(); ++i)
        series.setValue(i, curve.evaluate(t[static_cast<std::size_t>(i)]));
}

}  // namespace velta
