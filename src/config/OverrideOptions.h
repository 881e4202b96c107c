// Options that exist only while a document is open and never reach the configuration file: the
// operator's launch and surface overrides and the surface altitude of the loaded sounding.
#pragma once

#include <string>
#include <vector>

namespace velta {

class ConfigSet;

inline constexpr const char* kSfcAltitude = "SfcAltitude";
// The operator's "hit surface" choice for this drop only (the Main tab's check
// box while SfcAutoDetect is on); absent, the diagnosis and DropsondeHitSfc decide.
inline constexpr const char* kHitSurfaceOverride = "hitSfcOverride";

// launchPresOverride ... lastDataTimeOverride, in the order the launch/surface tab shows them.
const std::vector<std::string>& overrideOptionNames();

// An edited override field: the text trimmed of white space becomes an unbound numeric option
// with the number it starts with, added anew; an empty text removes the option (no override).
void setOverrideFromText(ConfigSet& set, const std::string& name, const std::string& text);

// Adds SfcAltitude, unbound, with the given value (replacing that of an earlier load).
void setSurfaceAltitude(ConfigSet& set, double altitude);

}  // namespace velta
