#pragma once

#include <vector>

#include "DataRecord.h"
#include "DropSettings.h"
#include "Fall.h"

namespace velta::sim {

// The aircraft at the release: where it flies, how high and how fast. Its
// track runs straight on at constant height.
struct Aircraft {
    double lat, lon;         // degrees, at the release
    double altitude;         // geometric m
    double pressure;         // hPa, outside
    double groundSpeed;      // m/s
    double heading;          // degrees the aircraft flies towards
    double cabinPressure;    // hPa
    double cabinTemperature; // °C

    // Position t seconds after the release (negative: before).
    void positionAt(double t, double& lat, double& lon) const;
};

Aircraft aircraftAt(const FallResult& fall);

// Current layout: the minutes of pre-launch records of the sonde in its
// launch tube, 4 a second: PTU of the tube on every other record, and once
// the sonde's GPS has found the satellites, the aircraft's position, height
// and ground speed as its "wind".
std::vector<DataRecord> tubeRecords(const DropSettings& settings, const FallResult& fall, const Aircraft& aircraft);

// The records of a second sonde under its own id, by scenario: only sentinels
// while the drop lasts; valid cabin data for 40 minutes (cabin pressure,
// about 22 °C, the aircraft's GPS height and speed); or nearly only
// sentinels; or, after the dropped sonde failed, the cabin sonde's records
// under the dropped sonde's id for the rest of the 40 minutes. Empty for the
// other scenarios.
std::vector<DataRecord> secondSondeRecords(const DropSettings& settings, const FallResult& fall,
                                           const Aircraft& aircraft);

}  // namespace velta::sim
