#include "qc/LaunchOverride.h"

#include "sounding/DataPoint.h"

namespace velta {

namespace {
constexpr double kLaunchTime = -1.0;
}

int32_t applyLaunchOverride(DataSeries& series, const ConfigSet& options, const std::string& option,
                            int32_t launchFlag) {
    const std::optional<double> value = options.numericValue(option);
    if (!value) return -1;
    if (series.empty())
        return series.insertInOrder(DataPoint{kLaunchTime, *value, launchFlag | FlagOverride});
    if (!series.hasFlags(0, launchFlag)) return -1;
    series.setValue(0, *value);
    series.setFlags(0, FlagOverride);
    return 0;
}

int32_t setLaunchValue(DataSeries& series, double value, int32_t launchFlag) {
    if (!series.empty() && series.hasFlags(0, launchFlag)) {
        series.setValue(0, value);
        series.setFlags(0, FlagOverride);
        return 0;
    }
    return series.insertInOrder(DataPoint{kLaunchTime, value, launchFlag | FlagOverride});
}

}  // namespace velta
