#include "wmo/Heading.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace velta {

std::string basinCode(double lat, double lon) {
    if (lon > 40.0) return "PA";
    if ((lat <= 8.75 && lon < -70.0) || (lat <= 10.0 && lon < -83.5) || (lat <= 14.0 && lon < -84.5) ||
        (lat <= 17.5 && lon < -90.0) || lon < -100.0)
        return "PN";
    return "NT";
}

std::string basinCode(const SoundingHeader& header) {
    const bool known = header.launchLatitudeValid && header.launchLongitudeValid &&
                       std::isfinite(header.launchLatitude) && std::isfinite(header.launchLongitude);
    return known ? basinCode(header.launchLatitude, header.launchLongitude) : basinCode(0.0, 0.0);
}

std::string abbreviatedHeading(const std::string& basin, const std::string& override,
                               const std::string& identifier, int64_t time, int correction) {
    const bool overridden = override.find_first_not_of(' ') != std::string::npos;
    std::string text = overridden ? override : "UZ" + basin + "13";
    const std::time_t calendar = static_cast<std::time_t>(time);
    std::tm fields{};
    char buffer[32];
    if (gmtime_r(&calendar, &fields))
        std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", fields.tm_mday, fields.tm_hour, fields.tm_min);
    else
        std::snprintf(buffer, sizeof buffer, "//////");
    text += " " + identifier + " " + buffer;
    if (correction >= 1) {
        std::snprintf(buffer, sizeof buffer, " COR %02d", correction % 100);
        text += buffer;
    }
    return text;
}

std::string placeholderHeading() { return "UZ" + basinCode(0.0, 0.0) + "13 UZxx13 000000"; }

}  // namespace velta
