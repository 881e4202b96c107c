// The 61616 mission group and the 62626 remarks read back from their text.
#pragma once

#include <string>

#include "wmo/DecodedMessage.h"

namespace velta {

// The text after "61616": agency and aircraft, storm, mission and "OB nn".
DecodedMission decodeMission(const std::string& text);
// The text after "62626": the remarks Velta writes are read into their
// fields, anything else is kept in other.
DecodedRemarks decodeRemarks(const std::string& text);

}  // namespace velta
