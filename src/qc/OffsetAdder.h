// Adds a constant sensor offset to a QC series, leaving its launch value alone.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

class OffsetAdder {
public:
    explicit OffsetAdder(double offset) : offset_(offset) {}

    // Adds the offset to every value from index 1 when point 0 is a launch or surface point, from
    // index 0 otherwise. An offset of exactly 0 changes nothing.
    void operator()(DataSeries& series) const;

private:
    double offset_;
};

}  // namespace velta
