#include "qc/SmoothedSlope.h"

#include <vector>

#include "sounding/DataPoint.h"

namespace velta {

namespace {

constexpr int32_t kKeptFlags = FlagLaunch | FlagSurface | FlagOverride;

SplineCurve fitCurve(const DataSeries& series, double wavelength) {
    const std::vector<double> t = series.times();
    const std::vector<double> y = series.values();
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    return SplineCurve(basis, y.data());
}

}  // namespace

SmoothedSlope::SmoothedSlope(const DataSeries& series, double wavelength)
    : curve_(fitCurve(series, wavelength)) {}

int32_t SmoothedSlope::firstCorrected(const DataSeries& series) {
    return (series.flags(0) & kKeptFlags) != 0 ? 1 : 0;
}

int32_t SmoothedSlope::lastCorrected(const DataSeries& series) {
    const int32_t n = series.size();
    return (series.flags(n - 1) & kKeptFlags) != 0 ? n - 2 : n - 1;
}

}  // namespace velta
