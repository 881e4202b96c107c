#include "wmo/IdentificationSection.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "qc/MetFormulas.h"
#include "wmo/CodeFigures.h"
#include "wmo/LevelGroups.h"

namespace velta {

namespace {

std::string format(const char* pattern, long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

bool anyWindSpeed(const std::vector<Level>& levels) {
    for (const Level& level : levels)
        if (level.has(LevelValue::Wspd)) return true;
    return false;
}

// One character wide, "/" when empty.
std::string oneFigure(const std::string& s) { return s.empty() ? "/" : s.substr(0, 1); }

}  // namespace

ObservationHour observationHour(const SoundingHeader& header) {
    int64_t t =
        calendarTime(header.year, header.month, header.day, header.hour, header.minute, header.second);
    if (header.minute >= 30) t += 30 * 60;
    const std::time_t calendar = static_cast<std::time_t>(t);
    std::tm fields{};
    if (!gmtime_r(&calendar, &fields)) return {};
    return {fields.tm_mday, fields.tm_hour};
}

std::vector<std::string> positionGroups(const SoundingHeader& header) {
    const double lat = header.launchLatitude;
    const double lon = header.launchLongitude;
    const bool known = header.launchLatitudeValid && header.launchLongitudeValid && std::isfinite(lat) &&
                       std::isfinite(lon) && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0;
    if (!known) return {"99///", "/////", "/////"};
    const std::string quadrant = codeQuadrant(lat, lon);
    return {"99" + format("%03ld", static_cast<long>(roundHalfUp(std::fabs(lat) * 10.0))),
            quadrant + format("%04ld", static_cast<long>(roundHalfUp(std::fabs(lon) * 10.0))),
            codeMarsdenSquare(lat, lon, quadrant)};
}

std::string partLetters(int partIndex) {
    static const char* const letters[] = {"AA", "BB", "CC", "DD"};
    return partIndex >= 0 && partIndex < 4 ? letters[partIndex] : "//";
}

std::string dayHourGroup(const std::vector<Level>& levels, const SoundingHeader& header, int partIndex,
                         bool windsInKnots) {
    const ObservationHour when = observationHour(header);
    std::string group = format("%02ld", when.day + (windsInKnots ? 50L : 0L)) + format("%02ld", when.hour);
    if (partIndex == 1) return group + oneFigure(header.equipmenttype);
    if (partIndex == 3) return group + "/";
    return group + windIndicator(levels, partIndex);
}

MessageSection dropIdentification(const std::vector<Level>& levels, const SoundingHeader& header,
                                  int partIndex) {
    MessageSection section(SectionOrder::Identification, partIndex);
    section.add("XX" + partLetters(partIndex), true);
    section.add(dayHourGroup(levels, header, partIndex, anyWindSpeed(levels)));
    for (std::string& group : positionGroups(header)) section.add(std::move(group));
    return section;
}

MessageSection ascendingIdentification(const std::vector<Level>& levels, const SoundingHeader& header,
                                       int partIndex, const std::string& typeLetters) {
    MessageSection section(SectionOrder::Identification, partIndex);
    section.add(typeLetters + partLetters(partIndex), true);
    if (typeLetters == "TT") {
        section.add(dayHourGroup(levels, header, partIndex, true));
        section.add(header.stationNumber);
        return section;
    }
    section.add(header.callSign);
    section.add(dayHourGroup(levels, header, partIndex, true));
    for (std::string& group : positionGroups(header)) section.add(std::move(group));
    if (typeLetters == "II") {
        if (header.launchAltitudeValid && std::isfinite(header.launchAltitude) &&
            std::fabs(header.launchAltitude) < 9999.5)
            section.add(format("%04ld", static_cast<long>(roundHalfUp(header.launchAltitude))) + "1");
        else
            section.add("00004");
    }
    return section;
}

}  // namespace velta
