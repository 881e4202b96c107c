#include "qc/SatelliteCheck.h"

namespace velta {

int32_t SatelliteCheck::operator()(const DataSeries& sats, SeriesGroup& winds, int32_t minimum) const {
    const DataSeries* wind = winds.first();
    if (!wind) return 0;
    const DataSeries common = sats.commonTimes(*wind).first;
    if (common.size() < 2) return 0;

    const int32_t n = wind->size();
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    bool any = false;
    int32_t j = 1;  // forward search through the winds, never before index 1
    for (int32_t k = 1; k < common.size() && j < n; ++k) {
        const double t = common.time(k);
        while (j < n && wind->time(j) != t) ++j;
        if (j == n) break;
        if (common.value(k) < minimum) {
            marked[static_cast<std::size_t>(j)] = 1;
            any = true;
        }
        ++j;
    }
    return any ? winds.removeMarked(marked) : 0;
}

}  // namespace velta
