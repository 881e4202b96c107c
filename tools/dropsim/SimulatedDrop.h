#pragma once

#include <vector>

#include "DataRecord.h"
#include "DropSettings.h"
#include "Fall.h"

namespace velta::sim {

struct SimulatedDrop {
    FallResult fall;                    // the truth
    std::vector<DataRecord> preLaunch;  // P records
    DataRecord launchObservation;       // A record
    std::vector<DataRecord> records;    // S records
    std::vector<DataRecord> secondSonde;  // S records of another sonde, by scenario
};

// Builds the atmosphere of the kind and seed, drops the sonde through it and
// makes the records the data system receives. Apply applyLayout() to the
// settings first for the current layout.
SimulatedDrop simulateDrop(const DropSettings& settings);

}  // namespace velta::sim
