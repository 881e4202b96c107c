#pragma once

#include <string>

#include "DropSettings.h"
#include "SimulatedDrop.h"

namespace velta::sim {

// The true profile beside a D file: '#' lines with the drop's settings, launch and
// true surface values, then one CSV row per record time (the first at the
// release, time 0) with the air at the sonde and the sonde's own state.
std::string formatTruthCsv(const DropSettings& settings, const SimulatedDrop& drop);

}  // namespace velta::sim
