#include "UtcTime.h"

#include <cctype>
#include <cstdio>

namespace velta::sim {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

}  // namespace

std::int64_t toEpochSeconds(const UtcTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

UtcTime fromEpochSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    UtcTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::optional<UtcTime> parseCompactTime(const std::string& text) {
    if (text.size() != 15 || text[8] != '_') return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 8 && !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    }
    auto num = [&](std::size_t pos, std::size_t len) { return std::stoi(text.substr(pos, len)); };
    UtcTime t{num(0, 4), num(4, 2), num(6, 2), num(9, 2), num(11, 2), num(13, 2)};
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59) {
        return std::nullopt;
    }
    // Reject dates such as 31 April, which would roll over.
    const UtcTime back = fromEpochSeconds(toEpochSeconds(t));
    if (back.day != t.day) return std::nullopt;
    return t;
}

std::string compactTime(const UtcTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buf;
}

}  // namespace velta::sim
