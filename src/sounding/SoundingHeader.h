// The launch description of a sounding: launch values with valid flags, launch
// date and time, the ascending flag and the descriptive strings. Built by the
// Sounding from its raw source and copied by value wherever it is needed.
#pragma once

#include <cstdint>
#include <string>

#include "sounding/MissingValue.h"

namespace velta {

class RawSource;

struct SoundingHeader {
    // From the first point of RawPres, RawTdry, RawRH, RawWspd, RawWdir when
    // that point is a launch (or surface) point.
    double launchPressure = MissingValue;
    bool launchPressureValid = false;
    double launchTemperature = MissingValue;
    bool launchTemperatureValid = false;
    double launchHumidity = MissingValue;
    bool launchHumidityValid = false;
    double launchWindSpeed = MissingValue;
    bool launchWindSpeedValid = false;
    double launchWindDirection = MissingValue;
    bool launchWindDirectionValid = false;
    // From the reader's launch observation.
    double launchAltitude = MissingValue;
    bool launchAltitudeValid = false;
    double launchGpsAltitude = MissingValue;
    bool launchGpsAltitudeValid = false;
    double launchLatitude = MissingValue;
    bool launchLatitudeValid = false;
    double launchLongitude = MissingValue;
    bool launchLongitudeValid = false;

    std::string callSign = "//// ";

    // Launch date and time; month counted from 1, year with century.
    int32_t second = 0, minute = 0, hour = 0, day = 0, month = 0, year = 0;

    std::string equipmenttype = "/";
    std::string sondetype = "//";
    std::string trackingtype = "//";
    std::string radiationcorr = "0";
    bool ascending = true;

    // Seconds since 1970-01-01 00:00:00 UTC of the six date fields.
    int64_t launchTime = 0;

    std::string platformtype, sondeid, sondemodel, comments, projectid, missionid, operatorName, datatype;
    std::string stationNumber = "99999";
    double ptuwindtimediff = 0.0;
    std::string launchobssource, launchobstime;
    std::string sondetypecode, standardcomments, operatorcomments;
};

// Seconds since 1970-01-01 00:00:00 UTC of a calendar date and time (month
// from 1, year with century), normalising out-of-range fields; 0 when the
// fields are too far out of range to convert.
int64_t calendarTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace velta
