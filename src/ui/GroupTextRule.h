// What the Modify and Insert editors of the WMO page accept for a group:
// heading groups are letters and digits, the message identifier (XXAA ...)
// four letters, the remark texts of 61616 and 62626 printable characters, the
// terminator "=" only, and every other group five digits or slashes.
#pragma once

#include <cstddef>
#include <string>

#include "wmo/MessageSection.h"

namespace velta {

// Why the text cannot stand as group number groupIndex of a section of that
// order, or an empty text when it can. An inserted group is checked as a
// group that is not the first of its section.
std::string groupTextProblem(SectionOrder section, std::size_t groupIndex, const std::string& text);

}  // namespace velta
