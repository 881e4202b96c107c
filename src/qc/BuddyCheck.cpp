#include "qc/BuddyCheck.h"

#include <cmath>
#include <limits>

namespace velta {

namespace {

// |dy / dt|; two samples at the same time differ infinitely fast unless equal.
double slopeBetween(const DataPoint& a, const DataPoint& b) {
    const double dy = b.value - a.value;
    const double dt = b.time - a.time;
    if (dt == 0.0) return dy == 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::fabs(dy / dt);
}

}  // namespace

int32_t BuddyCheck::operator()(SeriesGroup& group, double slopeLimit) const {
    const DataSeries* s = group.first();
    if (!s) return 0;
    const int32_t n = s->size();
    if (n < 3) return 0;
    const std::vector<DataPoint>& p = s->points();
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    // The right neighbour m + 1 runs up to n - 2.
    for (int32_t m = 1; m + 1 <= n - 2; ++m) {
        const auto k = static_cast<std::size_t>(m);
        if (slopeBetween(p[k - 1], p[k]) > slopeLimit && slopeBetween(p[k], p[k + 1]) > slopeLimit) {
            marked[k] = 1;
            any = true;
        }
    }
    return any ? group.removeMarked(marked) : 0;
}

}  // namespace velta
