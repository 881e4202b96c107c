// Drops the winds measured with too few GPS satellites in view. The satellite
// counts are matched to the wind points by exact time; the first wind point and
// the first matched time are never removed.
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct SatelliteCheck {
    // winds: the wind group (QCWspd, QCWdir, QCU, QCV; the times of its first
    // member are matched). minimum: the least satellite count kept. Answers the
    // number of wind points removed.
    int32_t operator()(const DataSeries& sats, SeriesGroup& winds, int32_t minimum) const;
};

}  // namespace velta
