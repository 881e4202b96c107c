#include "DropSettings.h"

namespace velta::sim {

DropSettings defaultSettings(DropKind kind) {
    DropSettings s;
    s.kind = kind;
    DropTexts& t = s.texts;
    if (kind == DropKind::Hurricane) {
        s.rate = 4;
        s.formatVersion = 1.6;
        s.launchPressure = 700.0;
        s.launchTime = {2025, 9, 15, 17, 45, 12};
        s.launchLat = 23.512;
        s.launchLon = -74.836;
        s.sondeId = "252405117";
        t.project = "TCX-25, 20250915A1";
        t.aircraft = "WC-130J, AF5309";
        t.combinedOperator = true;
        t.operatorName = "R. Lindqvist";
        t.operatorComments = "Eyewall drop in the NE quadrant";
        t.sondeIdLabel = true;
        t.sondeModel = "KD-41";
        t.sondeHexId = "0F0A3C51";
        t.sondeBuilt = "2025-06-02";
        t.sondeFirmware = "3.4.1";
        t.dataChannel = "Channel 3";
    } else {
        s.rate = 2;
        s.formatVersion = 1.4;
        s.launchPressure = 150.0;
        s.launchTime = {2025, 9, 16, 20, 30, 0};
        s.launchLat = 36.804;
        s.launchLon = -123.402;
        s.sondeId = "251903344";
        t.project = "ATMOS-X, RF07";
        t.missionLabel = true;
        t.aircraft = "G-V, N912RA";
        t.combinedOperator = false;
        t.operatorName = "M. Okafor";
        t.operatorComments = "Clear air above thin cirrus, drop near the jet core";
        t.standardComments = "Nominal release";
        t.sondeIdLabel = false;
        t.sondeModel = "KD-20";
        t.sondeHexId = "0E77B210";
        t.sondeBuilt = "2025-03-18";
        t.sondeFirmware = "2.8.0";
        t.dataChannel = "Channel 1";
    }
    return s;
}

bool currentLayout(const DropSettings& s) {
    return s.layout == Layout::Current || (s.layout == Layout::Auto && s.formatVersion >= 1.7);
}

void applyLayout(DropSettings& s) {
    if (!currentLayout(s)) return;
    s.rate = 4;
    s.instrument.splitPtu = true;
    s.instrument.currentLayout = true;
    if (s.texts.standardComments.empty()) s.texts.standardComments = "Good Drop";
    if (s.scenario == Scenario::Cloud) s.instrument.cloudExcess = 3.0;
    if (s.scenario == Scenario::FailedSonde && s.endPressure <= 0.0)
        s.endPressure = s.launchPressure + kFailureBelowLaunch;
}

const SensorClass& sensorOf(const DropSettings& s) {
    if (s.sensor != SensorKind::Auto) return sensorClass(s.sensor);
    return sensorClass(currentLayout(s) ? SensorKind::Fast : SensorKind::Bead);
}

std::string sondeTypeCode(const DropSettings& s) {
    return s.texts.sondeTypeCode.empty() ? sensorOf(s).typeCode : s.texts.sondeTypeCode;
}

ProfileShape profileFor(DropKind kind) {
    return kind == DropKind::Hurricane ? hurricaneProfile() : researchProfile();
}

const char* kindName(DropKind kind) { return kind == DropKind::Hurricane ? "hurricane" : "research"; }

}  // namespace velta::sim
