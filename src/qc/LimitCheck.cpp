#include "qc/LimitCheck.h"

namespace velta {

int32_t LimitCheck::operator()(SeriesGroup& group, double lower, double upper) const {
    const DataSeries* s = group.first();
    if (!s) return 0;
    const int32_t n = s->size();
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    for (int32_t i = 0; i < n; ++i) {
        const double v = s->value(i);
        if (!(v >= lower && v <= upper)) {
            marked[static_cast<std::size_t>(i)] = 1;
            any = true;
        }
    }
    return any ? group.removeMarked(marked) : 0;
}

int32_t capValues(DataSeries& series, double cap) {
    int32_t lowered = 0;
    for (int32_t i = 0; i < series.size(); ++i) {
        if (series.value(i) > cap) {
            series.setValue(i, cap);
            ++lowered;
        }
    }
    return lowered;
}

}  // namespace velta
