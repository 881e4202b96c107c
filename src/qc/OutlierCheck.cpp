#include "qc/OutlierCheck.h"

#include <cmath>

namespace velta {

int32_t OutlierCheck::operator()(SeriesGroup& group, double factor) const {
    const DataSeries* s = group.first();
    if (!s) return 0;
    const int32_t n = s->size();
    if (n < 2) return 0;
    const SeriesFit fit = s->fit();
    // With sigma 0 every residual is below 1e-10 in size; a threshold of 0
    // would throw away good samples for their rounding noise.
    if (!(fit.rms > 0.0)) return 0;
    const double threshold = fit.rms * factor;
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    for (int32_t i = n - 1; i >= 1; --i) {
        const double residual = fit.slope * s->time(i) + fit.intercept - s->value(i);
        if (std::fabs(residual) > threshold) {
            marked[static_cast<std::size_t>(i)] = 1;
            any = true;
        }
    }
    return any ? group.removeMarked(marked) : 0;
}

}  // namespace velta
