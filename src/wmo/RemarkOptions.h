// The operator's heading and remark entries as the configuration stores them,
// and the ICAO list they choose from.
#pragma once

#include <string>
#include <vector>

#include "config/ConfigSet.h"
#include "wmo/RemarkEntries.h"

namespace velta {

// "    " (replaced by the text of OptIcao), then KNHC, KBIX, KISX, KHIK, KTRR, KWBC.
std::vector<std::string> icaoList(const ConfigSet& options);

// Entries filled from the stored options: the ICAO identifier chosen by
// IcaoIndex, AbrHdrOvr, ACagency, MissionStorm, MissionId and AtcfId; the
// entries without an option (correction number, observation number,
// environment, ...) keep their defaults.
RemarkEntries remarkEntriesFromOptions(const ConfigSet& options);

}  // namespace velta
