#include "qc/PressureAdjustment.h"

#include "sounding/DataPoint.h"

namespace velta {

bool PressureAdjustment::operator()(DataSeries& pressure) const {
    if (pressure.empty()) return false;
    const int32_t last = pressure.lastIndex();
    const double t0 = pressure.time(0);
    const double tn = pressure.time(last);
    if (!(tn - t0 > 0.0)) return false;
    const double rate = (surfacePressure_ - pressure.value(last)) / (tn - t0);
    double previousOriginal = pressure.value(0);
    for (int32_t i = 0; i <= last; ++i) {
        const double original = pressure.value(i);
        double adjusted = original + (pressure.time(i) - t0) * rate;
        if (i > 0 && original >= previousOriginal && adjusted < pressure.value(i - 1))
            adjusted = pressure.value(i - 1);
        previousOriginal = original;
        pressure.setValue(i, adjusted);
    }
    pressure.setFlags(last, FlagOverride);
    return true;
}

}  // namespace velta
