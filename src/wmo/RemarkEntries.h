// The operator's entries that feed the heading and the 61616 and 62626
// remarks. The desktop's settings tab and velta-batch's options both fill one
// of these; texts longer than their limit are cut when they are coded.
#pragma once

#include <cstddef>
#include <string>

namespace velta {

struct RemarkEntries {
    static constexpr std::size_t IcaoLength = 4;
    static constexpr std::size_t HeaderOverrideLength = 6;
    static constexpr std::size_t AgencyLength = 5;
    static constexpr std::size_t StormLength = 5;
    static constexpr std::size_t MissionIdLength = 12;
    static constexpr std::size_t ObservationLength = 2;
    static constexpr std::size_t RetransmissionLength = 2;
    static constexpr std::size_t AtcfLength = 8;

    std::string icao = "    ";      // ICAO identifier (OptIcao / IcaoIndex)
    std::string headerOverride;     // abbreviated header override (AbrHdrOvr)
    int correctionNumber = 0;       // 0 to 99
    std::string agencyAircraft;     // ACagency
    std::string missionStorm;       // MissionStorm
    std::string missionId;          // MissionId
    std::string observationNumber;  // text, two characters
    std::string environment;        // "", "EYE", "EYEWALL", "RAINBAND", "MXWNDBND"
    double azimuth = 0.0;           // degrees, 0 to 360, for EYEWALL
    std::string retransmission;     // retransmitted observation number
    bool correctedReport = false;
    bool lastReport = false;
    std::string atcfId;  // AtcfId
};

}  // namespace velta
