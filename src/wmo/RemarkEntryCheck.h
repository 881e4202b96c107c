// What the code form allows in the operator's heading and remark entries: an
// ICAO location indicator of four letters, and texts of printable ASCII no
// wider than their field, so that no entry can split a heading line or bring
// a control byte into 61616 or 62626.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "wmo/RemarkEntries.h"

namespace velta {

// Four letters A to Z.
bool validIcao(std::string_view icao);
// At most width characters, each a blank or a printable ASCII character.
bool validRemarkText(std::string_view text, std::size_t width);

}  // namespace velta
