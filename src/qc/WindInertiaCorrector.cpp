#include "qc/WindInertiaCorrector.h"

#include "qc/SmoothedSlope.h"

namespace velta {

namespace {
constexpr double kGravity = 9.80665;
constexpr double kMaxGap = 60.0;
}  // namespace

void WindInertiaCorrector::operator()(DataSeries& component) const {
    if (component.size() < 3) return;
    const SmoothedSlope slope(component, wavelength_);
    const int32_t first = SmoothedSlope::firstCorrected(component);
    const int32_t last = SmoothedSlope::lastCorrected(component);
    for (int32_t i = first; i <= last; ++i) {
        const double t = component.time(i);
        const std::optional<double> w = fallRate_->interpolate(t, kMaxGap);
        if (!w) continue;
        component.setValue(i, component.value(i) - (*w / kGravity) * slope.at(t));
    }
}

}  // namespace velta
