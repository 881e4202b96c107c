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
