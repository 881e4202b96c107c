// One measurement of a series: time in seconds since launch (the launch point
// carries -1.0), value in the unit of its series, and a set of flag bits.
#pragma once

#include <cstdint>

namespace velta {

// The launch point (time -1.0) of a descending sounding.
inline constexpr int32_t FlagLaunch = 1;
// The launch point of an ascending sounding, and the surface point QC appends
// at the end of a drop.
inline constexpr int32_t FlagSurface = 2;
// A point whose value an override option set or adjusted.
inline constexpr int32_t FlagOverride = 4;

struct DataPoint {
    double time = 0.0;
    double value = 0.0;
    int32_t flags = 0;
};

}  // namespace velta
