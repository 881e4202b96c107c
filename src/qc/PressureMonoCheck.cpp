#include "qc/PressureMonoCheck.h"

#include <vector>

#include "qc/SeriesGroup.h"

namespace velta {

int32_t PressureMonoCheck::operator()(DataSeries& pressure, bool ascending) const {
    const int32_t n = pressure.size();
    if (n == 0) return 0;
    double reference = pressure.value(0);
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    int32_t count = 0;
    for (int32_t i = 1; i < n; ++i) {
        const double p = pressure.value(i);
        const bool inOrder = ascending ? p <= reference : p >= reference;
        if (inOrder && p >= 1.0) {
            reference = p;
        } else {
            marked[static_cast<std::size_t>(i)] = 1;
            ++count;
        }
    }
    if (count == 0) return 0;
    SeriesGroup only{&pressure};
    return only.removeMarked(marked);
}

}  // namespace velta
