#pragma once

#include <cstdint>
#include <string>

#include "Fall.h"
#include "Instrument.h"
#include "ModelAtmosphere.h"
#include "Sensors.h"
#include "UtcTime.h"

namespace velta::sim {

enum class DropKind { Hurricane, Research };

// The file layout: the older one (version, format and time-difference records
// first, 20 s of pre-launch records, one status digit), or the one current
// data systems write for format 1.7 (station line, minutes of pre-launch
// records, a status digit per part, the full trailer). Auto: current for 1.7.
enum class Layout { Auto, Classic, Current };

// What happens besides the drop itself (current layout).
enum class Scenario {
    Good,             // a good drop to the sea
    Cloud,            // a saturated layer, where the humidity sensor reads up to about 104 %
    SecondSentinels,  // a second sonde's records, all sentinels, interleaved
    SecondCabin,      // a second sonde in the cabin: valid cabin data under its own id, 40 min
    LaunchNamesEmpty,  // the LAU record names a nearly empty second sonde; the falling one and A carry another
    FailedSonde,       // the sonde fails 40 mb below the launch; the cabin sonde goes on under the same id
    LateAcquisition    // the first data come 550 mb below the launch
};

inline constexpr double kFailureBelowLaunch = 40.0;      // mb
inline constexpr double kAcquisitionBelowLaunch = 550.0;  // mb

// The descriptive texts the data system writes into the comment records.
struct DropTexts {
    std::string systemName = "KARVO Airborne Data System 4.2.1";
    std::string project;           // project name and flight or mission
    bool missionLabel = false;     // "Project Name/Mission ID" instead of "Project Name/Flight ID"
    std::string aircraft;          // type and identifier
    bool combinedOperator = true;  // one "Operator Name/Comments" record instead of two
    std::string operatorName;
    std::string operatorComments;
    std::string standardComments;  // empty: no such record
    bool sondeIdLabel = true;  // "Sonde ID/ID$/Built/Firmware/Type" instead of "Sonde Type/ID/Ver/Battery"
    std::string sondeModel;
    std::string sondeHexId;
    std::string sondeBuilt;
    std::string sondeFirmware;
    std::string dataChannel;
    std::string launchObsSource = "Aircraft flight-level data";
    // Current layout: the sonde record's type code (empty: the sensor class's own), revision,
    // build time and modules.
    std::string sondeTypeCode;
    std::string sondeRevision = "A2";
    std::string sondeBuildTime = "20231129T154352Z";
    std::string sensorModule = "KPTU-7";
    std::string gpsModule = "KGPS-3";
};

struct DropSettings {
    DropKind kind = DropKind::Hurricane;
    std::uint64_t seed = 1;
    int rate = 4;                // records per second, 2 or 4
    double formatVersion = 1.6;  // 1.4: no version record and no GPS altitude column
    double launchPressure = 700.0;
    double endPressure = 0.0;  // 0: data down to the surface
    UtcTime launchTime;
    double launchLat = 0.0;
    double launchLon = 0.0;
    std::string sondeId;
    int preLaunchRecords = 20;    // classic layout, one a second
    double preLaunchMinutes = 5;  // current layout, 4 a second
    Layout layout = Layout::Auto;
    Scenario scenario = Scenario::Good;
    std::string secondSondeId = "252405190";
    SondeBody sonde;
    SensorKind sensor = SensorKind::Auto;
    InstrumentSettings instrument;
    DropTexts texts;
};

// Everything set to the kind's usual drop; the caller then applies its options.
DropSettings defaultSettings(DropKind kind);

bool currentLayout(const DropSettings& settings);
// The settings a current-layout drop needs (4 Hz, PTU on every other record,
// the scenario's atmosphere and sensor); nothing for the classic layout.
void applyLayout(DropSettings& settings);

// The sensors the sonde carries: Auto gives the fast sensor to the current layout and the bead to
// the classic one.
const SensorClass& sensorOf(const DropSettings& settings);
// The type code the trailer's sonde record gives: the one set, else the sensor class's.
std::string sondeTypeCode(const DropSettings& settings);

ProfileShape profileFor(DropKind kind);
const char* kindName(DropKind kind);

}  // namespace velta::sim
