#pragma once

#include <optional>
#include <string>

namespace velta::sim {

// One data line of a D file before formatting; an absent value is written as
// the field's missing-value sentinel.
struct DataRecord {
    char letter = 'S';      // 'P' pre-launch, 'A' launch observation, 'S' sounding data
    bool crcError = false;  // received with a checksum error
    // Current layout: the data system's status digits, one per part (1 = no
    // valid PTU, no valid wind and GPS), and the sonde id when the record is
    // another sonde's (empty: the dropped sonde's).
    bool ptuFlag = false, windFlag = false;
    std::string sondeId;
    double time = 0.0;      // s since launch
    std::optional<double> pressure, temperature, rh1, rh2, rh3;
    std::optional<double> windDirection, windSpeed, verticalVelocity;
    std::optional<double> lon, lat, altitude, gpsAltitude;
    std::optional<int> satellites;
    std::optional<double> windError, batteryVoltage;
};

}  // namespace velta::sim
