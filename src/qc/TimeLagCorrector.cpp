#include "qc/TimeLagCorrector.h"

#include <algorithm>

#include "qc/SmoothedSlope.h"

namespace velta {

void TimeLagCorrector::operator()(DataSeries& series) const {
    if (series.size() < 3) return;
    const SmoothedSlope slope(series, wavelength_);
    const int32_t first = SmoothedSlope::firstCorrected(series);
    const int32_t last = SmoothedSlope::lastCorrected(series);
    const double firstTime = series.time(first);
    for (int32_t i = first; i <= last; ++i) {
        const std::optional<double> tau = source_->timeConstantAt(series.time(i));
        if (!tau) continue;
        series.setValue(i, series.value(i) + slope.at(std::max(series.time(i), firstTime)) * *tau);
    }
}

}  // namespace velta
