#include "cli/BatchOptions.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "config/ConfigSet.h"
#include "config/OverrideOptions.h"
#include "wmo/RemarkOptions.h"

namespace velta::cli {
namespace {

bool isOverrideName(const std::string& name) {
    for (const std::string& known : overrideOptionNames())
        if (name == known) return true;
    return false;
}

// The values an override may take: what a sounding can meet.
struct OverrideRange {
    const char* name;
    double lower, upper;
    const char* unit;
};
constexpr OverrideRange kOverrideRanges[] = {
    {"launchPresOverride", 1.0, 1100.0, " mb"},   {"sfcPresOverride", 1.0, 1100.0, " mb"},
    {"launchTdryOverride", -100.0, 60.0, " C"},   {"launchRhOverride", 0.0, 100.0, " %"},
    {"launchWspdOverride", 0.0, 150.0, " m/s"},   {"launchWdirOverride", 0.0, 360.0, " degrees"},
    {"launchLatOverride", -90.0, 90.0, " degrees"}, {"launchLonOverride", -180.0, 180.0, " degrees"},
    {"launchAltOverride", -500.0, 30000.0, " m"}, {"sfcAltOverride", -500.0, 9000.0, " m"},
    {"lastDataTimeOverride", 0.0, 86400.0, " s"},
};

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

bool parseNumber(const std::string& text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool applyOptionAssignments(ConfigSet& set, const std::vector<std::string>& assignments, std::string& problem) {
    for (const std::string& assignment : assignments) {
        auto eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0) {
            problem = "--option expects Name=value, got '" + assignment + "'";
            return false;
        }
        const std::string name = assignment.substr(0, eq);
        const std::string text = assignment.substr(eq + 1);
        ConfigOption* option = set.option(name);
        if (option && !option->numeric()) {
            option->setText(text);
            continue;
        }
        if (!option && !isOverrideName(name)) {
            problem = "unknown option '" + name + "'";
            return false;
        }
        double value = 0.0;
        if (!parseNumber(text, value)) {
            problem = "option " + name + " needs a number, got '" + text + "'";
            return false;
        }
        for (const OverrideRange& range : kOverrideRanges)
            if (name == range.name && (value < range.lower || value > range.upper)) {
                problem = "option " + name + " must be from " + numberText(range.lower) + " to " +
                          numberText(range.upper) + range.unit + ", got '" + text + "'";
                return false;
            }
        if (option)
            option->setValue(value);
        else
            set.addNumeric(name, value, value, value, false);
    }
    return true;
}

bool BatchOptions::showing(const std::string& part) const {
    for (const std::string& s : show)
        if (s == part || s == "all") return true;
    return false;
}

RemarkEntries remarkEntries(const BatchOptions& options, const ConfigSet& set) {
    RemarkEntries e = remarkEntriesFromOptions(set);
    if (options.icao) e.icao = *options.icao;
    if (options.headerOverride) e.headerOverride = *options.headerOverride;
    if (options.agency) e.agencyAircraft = *options.agency;
    if (options.storm) e.missionStorm = *options.storm;
    if (options.missionId) e.missionId = *options.missionId;
    if (options.observation) e.observationNumber = *options.observation;
    if (options.environment) e.environment = *options.environment;
    if (options.retransmission) e.retransmission = *options.retransmission;
    if (options.atcfId) e.atcfId = *options.atcfId;
    if (options.correction) e.correctionNumber = *options.correction;
    if (options.azimuth) e.azimuth = *options.azimuth;
    e.correctedReport = options.correctedReport;
    e.lastReport = options.lastReport;
    return e;
}

}  // namespace velta::cli
