#include "qc/FilterCheck.h"

#include <cmath>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"

namespace velta {

int32_t FilterCheck::operator()(SeriesGroup& group, double deviation, double wavelength, bool& failed) const {
    failed = false;
    const DataSeries* s = group.first();
    if (!s) return 0;
    const int32_t n = s->size();
    if (n < 3) return 0;

    const std::vector<double> t = s->times();
    const std::vector<double> y = s->values();
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    const SplineCurve curve(basis, y.data());
    if (!curve.ok()) {
        failed = true;
        return 0;
    }

    constexpr int32_t endFlags = FlagLaunch | FlagSurface;
    const int32_t last = (s->flags(n - 1) & endFlags) != 0 ? n - 2 : n - 1;
    const int32_t first = (s->flags(0) & endFlags) != 0 ? 1 : 0;
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    for (int32_t i = last; i >= first; --i) {
        const auto k = static_cast<std::size_t>(i);
        if (std::fabs(y[k] - curve.evaluate(t[k])) > deviation) {
            marked[k] = 1;
            any = true;
        }
    }
    return any ? group.removeMarked(marked) : 0;
}

}  // namespace velta
