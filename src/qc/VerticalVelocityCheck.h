// GPS against hydrostatic fall rate: where the fall rate from pressure (QCDz)
// and the one from the GPS receiver (RawDz) differ by more than the limit, the
// winds of that moment are dropped. Flagged end points and the last tested
// point are kept.
#pragma once

#include <cstdint>

#include "qc/SeriesGroup.h"

namespace velta {

struct VerticalVelocityCheck {
    // winds: the wind group, times taken from its first member. Both fall
    // rates are interpolated with a maximum gap of 60 s; a time where either
    // is missing is not tested. Answers the number of wind points removed.
    int32_t operator()(SeriesGroup& winds, const DataSeries& hydrostaticDz, const DataSeries& gpsDz,
                       double limit) const;
};

}  // namespace velta
