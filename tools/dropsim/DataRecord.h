#pragma once

#include <optional>

namespace velta::sim {

// One data line of a D file before formatting; an absent value is written as
// the field's missing-value sentinel.
struct DataRecord {
    char letter = 'S';      // 'P' pre-launch, 'A' launch observation, 'S' sounding data
    bool crcError = false;  // received with a checksum error
    double time = 0.0;      // s since launch
    std::optional<double> pressure, temperature, rh1, rh2, rh3;
    std::optional<double> windDirection, windSpeed, verticalVelocity;
    std::optional<double> lon, lat, altitude, gpsAltitude;
    std::optional<int> satellites;
    std::optional<double> windError, batteryVoltage;
};

}  // namespace velta::sim
