#pragma once

#include <cstdint>
#include <vector>

#include "DataRecord.h"
#include "Fall.h"

namespace velta::sim {

struct InstrumentSettings {
    std::uint64_t seed = 1;
    bool noise = true;
    bool splitPtu = false;         // pressure, temperature and humidity on every other record only
    double gpsLockTime = 5.0;      // s after release before the GPS gives winds and position
    double pressureDefect = -0.4;  // hPa, static error of the pressure port while falling
    int spikes = 0;                // large single-record outliers
    int crcErrors = 0;             // records received with a checksum error
    int missingGaps = 0;           // short runs of records that lost a quantity
    // Current layout: status digits by part, with the disagreements real files
    // show (a few PTU-flagged records with PTU values, wind-flagged records that
    // mostly keep their winds), geopotential altitude missing at first, and
    // GPS altitudes a few metres low, as a receiver's geoid model can put them.
    bool currentLayout = false;
    int windDropouts = 4;            // runs of records whose winds the data system distrusts
    double geopotentialDelay = 8.0;  // s after release without field 14
    double gpsAltitudeBias = -4.0;   // m, GPS altitude (field 20) only
    // A wetted humidity sensor in cloud reads this much above saturation (%).
    double cloudExcess = 0.0;
};

// The sounding (S) records: one per truth sample after release, as the sonde's
// sensors and GPS report it, with noise, gaps, spikes and corrupted records.
std::vector<DataRecord> observeDrop(const FallResult& fall, const InstrumentSettings& settings);

// The aircraft's flight-level observation at the launch (the A record).
DataRecord launchObservation(const FallResult& fall, const InstrumentSettings& settings);

// Records of the sonde in its launch tube during the last seconds before release.
std::vector<DataRecord> preLaunchRecords(const FallResult& fall, const InstrumentSettings& settings,
                                         const SondeBody& body, int count);

}  // namespace velta::sim
