// What the raw data of one drop tell about how the drop went, decided from the
// data alone before quality control: where the sonde stopped falling, whether
// the launch point belongs to the profile, and whether the sonde reached the
// surface. Each finding says what was seen, when and where, and what
// processing does about it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sounding/Sounding.h"
#include "sounding/SoundingHeader.h"

namespace velta {

enum class FindingKind {
    EndOfFall,    // records after the last physically possible point of the fall
    LaunchPoint,  // the launch point cannot be joined to the first sonde data
    SignalLost,   // the data end above the surface
};

struct DropFinding {
    FindingKind kind;
    std::string text;    // what the data show
    double time = 0.0;   // s from launch
    double pressure = 0.0;  // mb
    std::string action;  // what processing does about it

    // "<text> (at <time> s, <pressure> mb). <action>"
    std::string line() const;
};

// What processing does differently for this drop.
struct DropDecisions {
    std::optional<double> lastFallTime;  // records after it are cut off
    bool ignoreLaunchPoint = false;      // the launch point is left out of the QC series
    bool reachedSurface = true;
};

struct DiagnosisInputs {
    double surfaceAltitude = 0.0;  // m
    bool surfaceAltitudeKnown = true;
    // The operator's end-of-drop cut time: later records are not looked at.
    std::optional<double> operatorCutTime;
    // The decisions are acted on (SfcAutoDetect); off, the findings still tell what was seen.
    bool act = true;
};

struct DropDiagnosis {
    std::vector<DropFinding> findings;
    DropDecisions decisions;
};

inline constexpr const char* kDiagnosisCategory = "Drop Diagnosis";

// The question asked before the message of a drop with findings leaves the
// program ("Send" or "E-mail"): the findings, one a line, and whether to go on.
// Empty without findings.
std::string findingsQuestion(const std::vector<DropFinding>& findings, const std::string& action);

// Descending soundings only; an ascending one gets no finding.
DropDiagnosis diagnoseDrop(const Sounding& sounding, const SoundingHeader& header, const DiagnosisInputs& inputs);

}  // namespace velta
