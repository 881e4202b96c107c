#include "sounding/SoundingHeader.h"

#include <ctime>

namespace velta {

int64_t calendarTime(int year, int month, int day, int hour, int minute, int second) {
    // Keep every field well inside int range so that building the broken-down
    // time cannot overflow.
    constexpr int limit = 1000000;
    for (int v : {year, month, day, hour, minute, second})
        if (v < -limit || v > limit) return 0;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = 0;
    return static_cast<int64_t>(timegm(&tm));
}

}  // namespace velta
