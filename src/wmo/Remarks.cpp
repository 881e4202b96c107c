#include "wmo/Remarks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "qc/MetFormulas.h"
#include "wmo/CodeFigures.h"
#include "wmo/Heading.h"
#include "wmo/LevelGroups.h"

namespace velta {

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

std::string limited(const std::string& s, std::size_t length) { return s.substr(0, length); }

// The leading integer of a text as the C library reads it: blanks, a sign,
// digits. Found only when there is at least one digit.
bool leadingInteger(const std::string& s, long& value) {
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    long n = 0;
    bool digits = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        digits = true;
        n = std::min(n * 10 + (s[i] - '0'), 1000000L);
    }
    value = negative ? -n : n;
    return digits;
}

long integerOr(const std::string& s, long fallback) {
    long value = 0;
    return leadingInteger(s, value) ? value : fallback;
}

std::string splashRemark(const std::vector<Level>& levels, const SoundingHeader& header) {
    // A surface level without a pressure is where a sonde that never splashed
    // ended: there is no splash to remark, and a bare time would read as one.
    const auto splash = firstOfType(levels, LevelType::SurfaceThermodynamic, AnyPressure, false);
    if (!splash || !splash->has(LevelValue::Pres)) return "";
    std::string text;
    const auto lat = splash->value(LevelValue::Lat);
    const auto lon = splash->value(LevelValue::Lon);
    if (lat && lon && *lat >= -90.0 && *lat <= 90.0 && *lon >= -180.0 && *lon <= 180.0) {
        text += format(" SPL %04ld%s%05ld%s", static_cast<long>(roundHalfUp(std::fabs(*lat) * 100.0)),
                       *lat < 0.0 ? "S" : "N", static_cast<long>(roundHalfUp(std::fabs(*lon) * 100.0)),
                       *lon < 0.0 ? "W" : "E");
    }
    const auto t = splash->value(LevelValue::Time);
    if (t && std::isfinite(*t)) {
        constexpr int64_t Day = 86400;
        int64_t s = static_cast<int64_t>(std::fmod(*t, static_cast<double>(Day))) + header.hour * 3600 +
                    header.minute * 60 + header.second;
        // A time of day, also past midnight.
        s = (s % Day + Day) % Day;
        const int64_t m = s / 60;
        text += format(" %02ld%02ld", static_cast<long>(m / 60), static_cast<long>(m % 60));
    }
    return text;
}

std::string lastWindRemark(const std::vector<Level>& levels) {
    for (const Level& level : selectType(levels, LevelType::LastWindAltitude62626, AnyPressure, false)) {
        const auto alt = level.value(LevelValue::Alt);
        if (!alt || !(*alt < 1000.0)) continue;
        const long rounded = static_cast<long>(std::fmax(roundHalfUp(*alt), -1e6));
        return format(rounded < 0 ? " LST WND %ld" : " LST WND %03ld", rounded);
    }
    return "";
}

std::string meanBoundaryLayerRemark(const std::vector<Level>& levels) {
    for (const Level& level : selectType(levels, LevelType::MeanBLWind62626, AnyPressure, false)) {
        const auto speed = level.value(LevelValue::Wspd);
        const auto direction = level.value(LevelValue::Wdir);
        if (speed && direction) return " MBL WND " + codeWind(*speed, *direction);
    }
    return "";
}

std::string deepLayerRemark(const std::vector<Level>& levels) {
    for (const Level& level : selectType(levels, LevelType::DeepLayerMeanWind62626, AnyPressure, false)) {
        const auto speed = level.value(LevelValue::Wspd);
        const auto direction = level.value(LevelValue::Wdir);
        const auto bottom = level.value(LevelValue::LayerBottomPres);
        const auto top = level.value(LevelValue::LayerTopPres);
        if (speed && direction && bottom && top)
            return " DLM WND " + codeWind(*speed, *direction) + " " + codePressure(*bottom) +
                   codePressure(*top);
    }
    return "";
}

std::string layer150Remark(const std::vector<Level>& levels) {
    for (const Level& level : selectType(levels, LevelType::LayerMeanWind150m62626, AnyPressure, false)) {
        const auto speed = level.value(LevelValue::Wspd);
        const auto direction = level.value(LevelValue::Wdir);
        const auto alt = level.value(LevelValue::Alt);
        if (speed && direction && alt && std::isfinite(*alt))
            return " WL150 " + codeWind(*speed, *direction) + " " +
                   format("%03ld", static_cast<long>(std::fmax(std::fmin(*alt, 1e6), -1e6)));
    }
    return "";
}

bool contains(const MessageGroup& group, const char* code) {
    return group.text().find(code) != std::string::npos;
}

}  // namespace

std::string missionGroup(const RemarkEntries& entries) {
    long observation = integerOr(limited(entries.observationNumber, RemarkEntries::ObservationLength), 0);
    if (observation <= 0) observation = 99;
    return format("61616 %-5s %-5s %-12s OB %02ld",
                  limited(entries.agencyAircraft, RemarkEntries::AgencyLength).c_str(),
                  limited(entries.missionStorm, RemarkEntries::StormLength).c_str(),
                  limited(entries.missionId, RemarkEntries::MissionIdLength).c_str(), observation % 100);
}

int versionNumber(const std::string& programVersion) {
    long n = 0;
    std::size_t start = 0;
    while (start <= programVersion.size()) {
        std::size_t dot = programVersion.find('.', start);
        if (dot == std::string::npos) dot = programVersion.size();
        n = n * 100 + integerOr(programVersion.substr(start, dot - start), 0);
        if (n > 99999 || n < -99999) return 0;
        start = dot + 1;
    }
    return n < 0 ? 0 : static_cast<int>(n);
}

std::string remarkText(const std::vector<Level>& levels, const SoundingHeader& header,
                       const RemarkEntries& entries, const std::string& programVersion) {
    std::string r;
    if (!entries.environment.empty()) {
        r += " " + entries.environment;
        if (entries.environment == "EYEWALL" && std::isfinite(entries.azimuth))
            r += format(" %03ld", static_cast<long>(std::fmax(std::fmin(entries.azimuth, 360.0), 0.0)));
    }
    r += splashRemark(levels, header);
    r += lastWindRemark(levels);
    r += meanBoundaryLayerRemark(levels);
    // Without a known program version there is no version to remark.
    if (!programVersion.empty()) r += format(" KEV %05d", versionNumber(programVersion));
    const std::string retransmission = limited(entries.retransmission, RemarkEntries::RetransmissionLength);
    if (retransmission.find_first_not_of(' ') != std::string::npos)
        r += format(" REXMT OF OB %02ld", integerOr(retransmission, 0));
    if (entries.correctedReport) r += " CORRECTED RPT";
    if (entries.lastReport) {
        long observation = 0;
        const std::string text = limited(entries.observationNumber, RemarkEntries::ObservationLength);
        if (!leadingInteger(text, observation) || observation < 0 || observation > 99) observation = 1;
        r += format(" LAST REPORT OBS 01 THRU %02ld TO ", observation) +
             limited(entries.icao, RemarkEntries::IcaoLength);
    }
    r += deepLayerRemark(levels);
    r += layer150Remark(levels);
    if (!entries.atcfId.empty()) r += " ATCF " + limited(entries.atcfId, RemarkEntries::AtcfLength);
    return r;
}

void rewriteRemarks(MessageSection& section, const std::string& mission, const std::string& remarks) {
    std::vector<MessageGroup>& groups = section.groups();
    const auto first = std::find_if(groups.begin(), groups.end(),
                                    [](const MessageGroup& g) { return contains(g, "61616"); });
    if (first != groups.end()) {
        const auto end =
            std::find_if(first, groups.end(), [](const MessageGroup& g) { return contains(g, "62626"); });
        groups.erase(first, end);
    }
    groups.insert(groups.begin(), MessageGroup(mission, true));

    // Past the new mission group, whose free texts might hold the figures.
    const auto old = std::find_if(groups.begin() + 1, groups.end(),
                                  [](const MessageGroup& g) { return contains(g, "62626"); });
    groups.erase(old, groups.end());
    if (!remarks.empty()) groups.emplace_back("62626" + remarks, true);
}

void applyRemarkEntries(TempMessage& message, const std::vector<Level>& levels, const SoundingHeader& header,
                        const RemarkEntries& entries, int64_t messageTime,
                        const std::string& programVersion) {
    if (MessagePart* a = message.findPart(0)) {
        if (MessageSection* heading = a->findSection(SectionOrder::Heading)) {
            heading->groups().clear();
            heading->add(
                abbreviatedHeading(basinCode(header),
                                   limited(entries.headerOverride, RemarkEntries::HeaderOverrideLength),
                                   limited(entries.icao, RemarkEntries::IcaoLength), messageTime,
                                   std::clamp(entries.correctionNumber, 0, 99)),
                true);
        }
    }
    const std::string mission = missionGroup(entries);
    const std::string remarks = remarkText(levels, header, entries, programVersion);
    for (MessagePart& part : message.parts())
        if (MessageSection* section = part.findSection(SectionOrder::Remarks))
            rewriteRemarks(*section, mission, remarks);
}

}  // namespace velta
