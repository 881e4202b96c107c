#pragma once

#include <cstdint>
#include <string>

#include "Fall.h"
#include "Instrument.h"
#include "ModelAtmosphere.h"
#include "UtcTime.h"

namespace velta::sim {

enum class DropKind { Hurricane, Research };

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
    int preLaunchRecords = 20;
    SondeBody sonde;
    InstrumentSettings instrument;
    DropTexts texts;
};

// Everything set to the kind's usual drop; the caller then applies its options.
DropSettings defaultSettings(DropKind kind);

ProfileShape profileFor(DropKind kind);
const char* kindName(DropKind kind);

}  // namespace velta::sim
