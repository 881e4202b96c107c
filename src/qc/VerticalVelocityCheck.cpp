#include "qc/VerticalVelocityCheck.h"

#include <cmath>

namespace velta {

int32_t VerticalVelocityCheck::operator()(SeriesGroup& winds, const DataSeries& hydrostaticDz,
                                          const DataSeries& gpsDz, double limit) const {
    const DataSeries* s = winds.first();
    if (!s) return 0;
    const int32_t n = s->size();
    if (n <= 1) return 0;
    constexpr int32_t anyFlag = FlagLaunch | FlagSurface | FlagOverride;
    const int32_t first = (s->flags(0) & anyFlag) != 0 ? 1 : 0;
    const int32_t last = (s->flags(n - 1) & anyFlag) != 0 ? n - 2 : n - 1;
    if (last - first < 3) return 0;

    constexpr double maxGap = 60.0;
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    for (int32_t i = first; i < last; ++i) {
        const double t = s->time(i);
        const auto fromPressure = hydrostaticDz.interpolate(t, maxGap);
        if (!fromPressure) continue;
        const auto fromGps = gpsDz.interpolate(t, maxGap);
        if (!fromGps) continue;
        if (std::fabs(*fromPressure - *fromGps) > limit) {
            marked[static_cast<std::size_t>(i)] = 1;
            any = true;
        }
    }
    return any ? winds.removeMarked(marked) : 0;
}

}  // namespace velta
