// The operator's doubtful-heights remark: "51515 10166 0PPPP" in parts A and
// B, naming the standard surfaces from the bottom to the top of part A.
#pragma once

#include <string>
#include <vector>

#include "levels/Level.h"
#include "wmo/TempMessage.h"

namespace velta {

// "0" + PP(bottom) + PP(top) of the standard levels of part A.
std::string doubtfulHeightsGroup(const std::vector<Level>& levels);

// Switches the groups on (adding or replacing them) or off in parts A and B.
void setDoubtfulHeights(TempMessage& message, const std::vector<Level>& levels, bool on);

}  // namespace velta
