#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velta::sim {

struct UtcTime {
    int year = 2025, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

std::int64_t toEpochSeconds(const UtcTime& t);
UtcTime fromEpochSeconds(std::int64_t seconds);

// "YYYYMMDD_HHMMSS", as in the names of D files.
std::optional<UtcTime> parseCompactTime(const std::string& text);
std::string compactTime(const UtcTime& t);

}  // namespace velta::sim
