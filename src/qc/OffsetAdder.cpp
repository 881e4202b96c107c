#include "qc/OffsetAdder.h"

#include "sounding/DataPoint.h"

namespace velta {

void OffsetAdder::operator()(DataSeries& series) const {
    if (offset_ == 0.0 || series.empty()) return;
    const int32_t first = (series.flags(0) & (FlagLaunch | FlagSurface)) != 0 ? 1 : 0;
    for (int32_t i = first; i < series.size(); ++i) series.setValue(i, series.value(i) + offset_);
}

}  // namespace velta
