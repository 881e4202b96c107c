#include "plot/TimeMergedTable.h"

#include <algorithm>

#include "sounding/DataSeries.h"

namespace velta {

TimeMergedTable::TimeMergedTable(const std::vector<const DataSeries*>& series) {
    for (const DataSeries* s : series)
        if (s)
            for (const DataPoint& p : s->points()) times_.push_back(p.time);
    std::sort(times_.begin(), times_.end());
    times_.erase(std::unique(times_.begin(), times_.end()), times_.end());

    columns_.assign(series.size(), std::vector<double>(times_.size(), Missing));
    for (std::size_t c = 0; c < series.size(); ++c) {
        if (!series[c]) continue;
        for (const DataPoint& p : series[c]->points()) {
            const auto it = std::lower_bound(times_.begin(), times_.end(), p.time);
            columns_[c][static_cast<std::size_t>(it - times_.begin())] = p.value;
        }
    }
}

}  // namespace velta
