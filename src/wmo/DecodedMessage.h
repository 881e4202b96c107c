// What a TEMP DROP or TEMP message says, read back from its text: the
// heading, the parts with their identification, the levels they report, the
// additional groups and remarks, and every group that could not be read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velta {

enum class DecodedLevelKind {
    Surface,                 // 99PPP of part A
    Standard,                // PPhhh of parts A and C
    Tropopause,              // 88PPP
    MaximumWind,             // 77PPP or 66PPP
    SignificantTemperature,  // nnPPP of parts B and D
    SignificantWind,         // nnPPP after 21212
    ExtrapolatedAltitude,    // 10190 PPhhh of 51515
};

const char* levelKindName(DecodedLevelKind kind);

struct DecodedLevel {
    int part = 0;  // 0 to 3 for parts A to D
    DecodedLevelKind kind = DecodedLevelKind::Standard;
    std::optional<double> pressure;    // mb
    std::optional<double> height;      // m
    std::optional<double> temperature;  // deg C
    std::optional<double> depression;   // dew-point depression, deg C
    std::optional<double> direction;    // degrees, 0 for calm
    std::optional<double> speed;        // in knots or m/s as the part says
    bool knots = true;
    bool topOfWind = false;  // a maximum wind given with 66
    std::optional<int> shearBelow, shearAbove;  // kt in the 1 km below and above a maximum wind
    int line = 0, column = 0;                   // where its first group stands

    std::optional<double> dewPoint() const {
        if (!temperature || !depression) return std::nullopt;
        return *temperature - *depression;
    }
};

// A group that could not be read, and where it stands (1-based).
struct DecodeProblem {
    int line = 0;
    int column = 0;
    std::string group;
    std::string reason;
};

struct DecodedHeading {
    std::string text;        // the whole line
    std::string designator;  // "UZNT13"
    std::string station;     // "KNHC"
    std::string time;        // "200250"
    int correction = 0;      // COR nn
};

// The 62626 remarks Velta writes, and the text of any it does not know.
struct DecodedRemarks {
    std::string text;  // everything after 62626, lines joined
    std::string environment;
    std::optional<int> azimuth;
    std::optional<double> splashLatitude, splashLongitude;
    std::optional<int> splashTime;  // HHMM
    std::optional<int> lastWindAltitude;
    std::optional<double> meanBoundaryLayerDirection, meanBoundaryLayerSpeed;
    std::optional<int> version;  // KEV
    std::optional<int> retransmission;
    bool corrected = false;
    std::optional<int> lastReportObservation;
    std::string lastReportStation;
    std::optional<double> deepLayerDirection, deepLayerSpeed, deepLayerBottom, deepLayerTop;
    std::optional<double> layer150Direction, layer150Speed;
    std::optional<int> layer150Altitude;
    std::string atcf;
    std::string other;  // remarks of other programs, as written
};

struct DecodedMission {
    std::string text;  // everything after 61616
    std::string agencyAircraft, storm, missionId;
    std::optional<int> observation;
};

struct DecodedPart {
    int index = 0;           // 0 to 3 for A to D
    std::string identifier;  // "XXAA", "TTBB", ...
    int line = 0;
    std::optional<int> day, hour;
    bool knots = false;          // YY above 50
    std::string indicator;       // Id, a4 or "/"
    std::string station, callSign;
    std::optional<double> latitude, longitude;
    std::string instrument;      // sr rara sasa of 31313
    std::optional<int> launchTime;  // 8GGgg: HHMM
    bool extrapolatedSurface = false;  // 10191
    std::optional<double> doubtfulBottom, doubtfulTop;  // 10166
    std::optional<DecodedMission> mission;
    std::optional<DecodedRemarks> remarks;
    bool terminated = false;  // ended by "="
    int groups = 0;           // groups read, a remark or the heading counting one
};

struct DecodedMessage {
    std::optional<DecodedHeading> heading;
    std::vector<DecodedPart> parts;
    std::vector<DecodedLevel> levels;  // in the order of the message
    int line = 0;                      // where it starts

    // Groups read over the heading and all parts.
    int groupCount() const;
};

struct DecodeResult {
    std::vector<DecodedMessage> messages;
    std::vector<DecodeProblem> problems;
};

}  // namespace velta
