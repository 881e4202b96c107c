#pragma once

namespace velta {

// The value readers and writers use for a missing datum; series never store it
// (a missing datum is an absent point) and options use it to mean "not set".
inline constexpr double MissingValue = -999.0;

}  // namespace velta
