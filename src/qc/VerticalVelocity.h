// The hydrostatic fall rate: from the time derivative of the smoothed pressure
// and the virtual temperature, w = -(Rd * Tv) / (g * p) * dp/dt in m/s,
// negative for a falling sonde.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

struct VerticalVelocity {
    // Replaces the points of dz by one point per pressure time (a flagged
    // first pressure point excepted) where the temperature can be interpolated
    // within 60 s; the humidity defaults to 50 % where it cannot. Fewer than
    // three pressure points, or a pressure curve that cannot be fitted, leave
    // dz empty: no fall rate is better than an invented one.
    void operator()(const DataSeries& pressure, const DataSeries* temperature, const DataSeries* humidity,
                    double wavelength, DataSeries& dz) const;
};

}  // namespace velta
