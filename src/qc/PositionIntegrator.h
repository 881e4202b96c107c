// The sonde's track: integrates the wind components from the launch position into latitude and
// longitude.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

class PositionIntegrator {
public:
    // u, v: wind components (m/s) at the same times; not owned, must outlive the integrator. span:
    // the longest wind gap (s) bridged by interpolation.
    PositionIntegrator(const DataSeries& u, const DataSeries& v, double span) : u_(&u), v_(&v), span_(span) {}

    // latitude and longitude start with the launch position at point 0, followed by one placeholder
    // point per time to fill. Each point i gets the position after moving with the mean wind of the
    // interval from point i - 1. Where the wind cannot be had at both ends of an interval the track
    // ends: that point and all after it are removed.
    void operator()(DataSeries& latitude, DataSeries& longitude) const;

private:
    const DataSeries* u_;
    const DataSeries* v_;
    double span_;
};

}  // namespace velta
