// The estimated surface point QC appends at the bottom of a drop.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

// Appends (time, value) after the last point of series and marks it FlagSurface. False, and nothing
// appended, when the series is empty.
bool appendSurfacePoint(DataSeries& series, double time, double value);

}  // namespace velta
