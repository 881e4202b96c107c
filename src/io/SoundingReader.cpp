#include "io/SoundingReader.h"

namespace velta {

void SoundingReader::setDropsondeCodes() {
    // Assigned as whole strings: GCC 12 warns falsely (-Wrestrict) about
    // assigning short literals to existing strings.
    raw_.trackingtype = std::string("08");
    raw_.radiationcorr = std::string("0");
    raw_.equipmenttype = std::string("8");
    raw_.sondetype = std::string("96");
}

bool launchDateTimeValid(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1900 || year > 2099 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day > days[month - 1] || (month == 2 && day == 29 && !leap)) return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

bool SoundingReader::checkLaunchDateTime() {
    if (launchDateTimeValid(raw_.year, raw_.month, raw_.day, raw_.hour, raw_.minute, raw_.second)) return true;
    fail("Launch date or time is invalid.\n");
    return false;
}

}  // namespace velta
