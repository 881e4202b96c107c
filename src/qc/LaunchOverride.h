// Writing an operator's launch value into the launch point of a QC series.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigSet.h"
#include "sounding/DataSeries.h"

namespace velta {

// Sets the launch point of series to the value of the option when the option is set: creates the
// point (time -1.0, flags launchFlag | FlagOverride) in an empty series, or overwrites point 0 when
// it carries launchFlag (adding FlagOverride). A series that starts with an ordinary record is left
// alone. Answers the index of the point written, or -1 when nothing was done.
int32_t applyLaunchOverride(DataSeries& series, const ConfigSet& options, const std::string& option,
                            int32_t launchFlag);

// Writes value into the launch point of series: overwrites point 0 when it carries launchFlag,
// otherwise inserts a launch point at -1.0 in time order. Either way the point gets FlagOverride.
// Answers its index.
int32_t setLaunchValue(DataSeries& series, double value, int32_t launchFlag);

}  // namespace velta
