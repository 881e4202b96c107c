// The command line of velta-batch and the option assignments it applies.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "wmo/RemarkEntries.h"

namespace velta {
class ConfigSet;
}

namespace velta::cli {

struct BatchOptions {
    std::vector<std::string> files;
    std::string configPath;
    std::string setName;
    std::vector<std::string> assignments;  // "Name=value"
    int jobs = 1;
    std::vector<std::string> show;    // parts of the report on standard output
    std::vector<std::string> writes;  // output kinds written for each file
    std::string outputDir = ".";

    // The operator's heading and remark entries; unset ones come from the configuration.
    std::optional<std::string> icao, headerOverride, agency, storm, missionId, observation, environment,
        retransmission, atcfId;
    std::optional<int> correction;
    std::optional<double> azimuth;
    bool correctedReport = false, lastReport = false, doubtfulHeights = false;
    std::time_t messageTime = 0;  // the heading's DDHHMM: start of the run + 120 s

    bool showing(const std::string& part) const;
};

// The whole text as a finite number.
bool parseNumber(const std::string& text, double& value);

// The configured entries with those given on the command line in their place.
RemarkEntries remarkEntries(const BatchOptions& options, const ConfigSet& set);

// Applies "Name=value" assignments to the set for this run. A catalogue option
// takes the value (a number for numeric options); an override name (such as
// launchPresOverride) becomes an unbound numeric option, as the desktop's
// override fields do. False with a reason for a malformed assignment, an
// unknown name, a non-numeric value of a numeric option, or an override out
// of its range.
bool applyOptionAssignments(ConfigSet& set, const std::vector<std::string>& assignments, std::string& problem);

}  // namespace velta::cli
