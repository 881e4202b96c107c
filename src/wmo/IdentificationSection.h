// Section 1 of every part: the part identifier, day and hour, and the
// position (TEMP DROP) or the station (TEMP).
#pragma once

#include <string>
#include <vector>

#include "levels/Level.h"
#include "sounding/SoundingHeader.h"
#include "wmo/MessageSection.h"

namespace velta {

// Day of the month and hour of the nearest whole hour of the launch, UTC.
struct ObservationHour {
    int day = 0;
    int hour = 0;
};
ObservationHour observationHour(const SoundingHeader& header);

// The position groups "99LaLaLa", "QcLoLoLoLo" and "MMMULaULo", slashed
// unless the header has both a latitude and a longitude.
std::vector<std::string> positionGroups(const SoundingHeader& header);

// "AA", "BB", "CC", "DD".
std::string partLetters(int partIndex);

// YYGG followed by Id (parts A, C), the equipment type (B) or "/" (D). YY is
// the day plus 50 when windsInKnots.
std::string dayHourGroup(const std::vector<Level>& levels, const SoundingHeader& header, int partIndex,
                         bool windsInKnots);

// TEMP DROP: XXAA ... with YY + 50 when any level has a wind speed.
MessageSection dropIdentification(const std::vector<Level>& levels, const SoundingHeader& header,
                                  int partIndex);

// TEMP of an ascending sounding; typeLetters "TT", "UU" or "II".
MessageSection ascendingIdentification(const std::vector<Level>& levels, const SoundingHeader& header,
                                       int partIndex, const std::string& typeLetters);

}  // namespace velta
