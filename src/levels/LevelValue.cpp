#include "levels/LevelValue.h"

#include <array>

namespace velta {

const char* levelValueName(LevelValue key) {
    static constexpr std::array<const char*, LevelValueCount> kNames = {
        "Time", "Pres", "Tdry", "RH", "Wspd", "Wdir", "U", "V", "Alt", "LayerTopPres", "LayerBottomPres",
        "Lat",  "Lon"};
    const auto code = static_cast<int32_t>(key);
    if (code < 0 || code >= LevelValueCount) return "Unknown";
    return kNames[static_cast<std::size_t>(code)];
}

}  // namespace velta
