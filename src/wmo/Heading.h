// The abbreviated heading line of part A: "UZNT13 KNHC 281810", with an
// optional " COR nn".
#pragma once

#include <cstdint>
#include <string>

#include "sounding/SoundingHeader.h"

namespace velta {

// "PA", "PN" or "NT" by the position of the header (0, 0 when it has none).
std::string basinCode(const SoundingHeader& header);
std::string basinCode(double latitude, double longitude);

// "UZ" + basin + "13" (or the override when it is not blank), the
// identifier, DDHHMM of the calendar time (UTC), and " COR nn" for a
// correction number of 1 or more.
std::string abbreviatedHeading(const std::string& basin, const std::string& override,
                               const std::string& identifier, int64_t time, int correction);

// What the message carries until the operator's entries are applied.
std::string placeholderHeading();

}  // namespace velta
