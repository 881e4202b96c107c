#include "qc/TimeConstantSource.h"

#include <utility>

namespace velta {

namespace {
constexpr double kMaxGap = 60.0;
}

void TdryTimeConstantSeries::replace(DataSeries series) {
    series_ = std::move(series);
    series_.rename(SeriesName);
}

std::optional<double> TdryTimeConstantSeries::timeConstantAt(double t) const {
    return series_.interpolate(t, kMaxGap);
}

double RhTimeConstantByPressure::atPressure(double p) {
    return 18.3 - 0.02921 * p + 3.31e-5 * p * p - 1.4e-8 * p * p * p;
}

std::optional<double> RhTimeConstantByPressure::timeConstantAt(double t) const {
    const std::optional<double> p = pressure_->interpolate(t, kMaxGap);
    if (!p || *p < 0.0) return std::nullopt;
    return atPressure(*p);
}

}  // namespace velta
