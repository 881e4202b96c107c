// What a sounding is built from: the record arrays, launch observation, launch
// date and time and descriptive strings that a file reader fills. The readers
// (io/) fill a RawData; SoundingFile offers it through RawSource, and tests can
// feed an in-memory one.
#pragma once

#include <string>
#include <vector>

#include "sounding/MissingValue.h"

namespace velta {

// The fifteen record arrays, one element per data record in file order; a
// missing datum is MissingValue. All arrays always have the same length.
struct RawRecords {
    std::vector<double> time, pressure, temperature, rh1, rh2, rh3, windDirection, windSpeed, dz,
        longitude, latitude, altitude, gpsAltitude, sats, status;

    int count() const { return static_cast<int>(time.size()); }
    void reserve(std::size_t n);
    // Appends one record with every field missing; the caller then fills it.
    void appendMissing();
    // Keeps the records whose keep flag is set, in order.
    void keepOnly(const std::vector<char>& keep);
};

// Status values of a file whose status digits flag each part of a record
// (RawData::statusByPart): bit 1 the pressure, temperature and humidity, bit 2
// the winds and GPS position. Otherwise a status of 1 flags the whole record.
inline constexpr int kStatusPtu = 1;
inline constexpr int kStatusWind = 2;

// Records of another sonde that shared the file and were left out of the sounding.
struct SetAsideSonde {
    std::string id;
    int records = 0;
};

// Everything a reader produces besides its valid flag and error text.
struct RawData {
    // Launch date and time; year with century. MissingValue (as int) when unknown.
    int second = -999, minute = -999, hour = -999, day = -999, month = -999, year = -999;
    RawRecords records;
    bool ascending = true;
    double launchTime = MissingValue;  // reader-internal clock, seconds

    // Launch observation (hPa, degC, %, m/s, degrees, m, m, deg E, deg N).
    double pressure = MissingValue, temperature = MissingValue, rh = MissingValue,
           speed = MissingValue, direction = MissingValue, altitude = MissingValue,
           gpsaltitude = MissingValue, longitude = MissingValue, latitude = MissingValue;

    std::string soundingdescription;
    std::string equipmenttype = "0", radiationcorr = "0", sondetype = "90", trackingtype = "19";
    std::string platformtype, missionid, sondeid, sondemodel, comments, operatorName, datatype;
    double ptuwindtimediff = 0.0;
    std::string projectid;
    std::string launchobssource = "unknown", launchobstime = "unknown";
    // The data system's sonde type code, and its standard and operator
    // comments apart (comments holds both).
    std::string sondetypecode, standardcomments, operatorcomments;

    bool statusByPart = false;
    std::vector<SetAsideSonde> setAsideSondes;

    // Launch time of day packed as hour * 10000 + minute * 100 + second.
    int timeOfDay() const { return hour * 10000 + minute * 100 + second; }
};

// The raw source a Sounding is built from and keeps referring to.
class RawSource {
public:
    virtual ~RawSource() = default;
    virtual const RawData& raw() const = 0;
    // SystemFamily of the recognised input format (0: airborne dropsonde system).
    virtual int systemFamily() const = 0;
};

}  // namespace velta
