#include "document/ProgramVersion.h"

#include <cstdio>

namespace velta {

std::string versionFromResource(const std::string& resource) {
    std::string text;
    for (char c : resource) {
        if (c == ' ') continue;
        text.push_back(c == ',' ? '.' : c);
    }
    auto dot = text.rfind('.');
    if (dot != std::string::npos) text.erase(dot);
    return text;
}

std::string processingStamp(const std::string& version, std::time_t now) {
    // English month names whatever the process locale (the desktop sets one).
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm utc{};
    gmtime_r(&now, &utc);
    char when[64];
    std::snprintf(when, sizeof when, "%02d %s %04d  %02d:%02d UTC", utc.tm_mday, kMonths[utc.tm_mon],
                  utc.tm_year + 1900, utc.tm_hour, utc.tm_min);
    return "Velta V" + version + ", " + when;
}

}  // namespace velta
