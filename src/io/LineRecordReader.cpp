#include "io/LineRecordReader.h"

#include <array>
#include <ctime>
#include <string>

#include "io/TextFields.h"

namespace velta {

namespace {

using text::slice;
using text::toInt;
using text::toValue;

constexpr int RecordFields = 20;
using RecordFieldArray = std::array<std::string_view, RecordFields + 1>;  // 1-based

void splitRecord(std::string_view line, RecordFieldArray& fields) {
    for (int i = 1; i <= RecordFields; ++i) fields[i] = text::nextToken(line);
}

// A record's instant from its date (YYMMDD) and time (HHMMSS.ss) fields: whole
// seconds since 1970 UTC and the tenths, taken from the two characters at
// positions 6 and 7 of the time field (so 183401.75 counts 0.7 s), or the
// hundredths from positions 6 to 8 where the format keeps them.
struct ClockReading {
    long long whole = 0;
    double fraction = 0.0;  // seconds
};

ClockReading readClock(std::string_view date, std::string_view time, bool hundredths) {
    std::tm t{};
    const int yy = toInt(slice(date, 0, 2));
    t.tm_year = yy < 90 ? yy + 100 : yy;
    t.tm_mon = toInt(slice(date, 2, 2)) - 1;
    t.tm_mday = toInt(slice(date, 4, 2));
    t.tm_hour = toInt(slice(time, 0, 2));
    t.tm_min = toInt(slice(time, 2, 2));
    t.tm_sec = toInt(slice(time, 4, 2));
    t.tm_isdst = 0;
    ClockReading r;
    r.whole = static_cast<long long>(timegm(&t));
    r.fraction = text::toNumber(slice(time, 6, hundredths ? 3 : 2));
    return r;
}

}  // namespace

bool LineRecordReader::recordKeys(std::string_view line, char& kind, char& letter) {
    if (line.size() < MinRecordLength) return false;
    kind = line[6];
    letter = line[10];
    return true;
}

bool LineRecordReader::readDataRecord(std::string_view line, GpsAltitude gps) {
    if (!launchSeen_) {
        fail("Sounding data (S) line occurs before launch (LAU) line in file.\n");
        return false;
    }
    RecordFieldArray f;
    splitRecord(line, f);
    // A line cut short (a half-copied file) is no record: its missing fields
    // would read as zeros.
    const int needs = gps == GpsAltitude::Field20 ? RecordFields : 17;
    if (f[needs].empty()) {
        ++shortRecords_;
        shortRecordNeeds_ = needs;
        return true;
    }
    const ClockReading clock = readClock(f[4], f[5], clockHundredths_);
    RawRecords& r = raw_.records;
    r.time.push_back(static_cast<double>(clock.whole - clockBase_) + clock.fraction);
    r.status.push_back(line[11] == '1' ? 1.0 : MissingValue);
    r.pressure.push_back(toValue(f[6], 9999.0));
    r.temperature.push_back(toValue(f[7], 99.0));
    r.rh1.push_back(toValue(f[8], 999.0));
    r.windDirection.push_back(toValue(f[9], 999.0));
    r.windSpeed.push_back(toValue(f[10], 999.0));
    r.dz.push_back(toValue(f[11], 999.0));
    r.longitude.push_back(toValue(f[12], 999.0));
    r.latitude.push_back(toValue(f[13], 99.0));
    const double altitude = toValue(f[14], 99999.0);
    r.altitude.push_back(altitude);
    r.sats.push_back(toValue(f[15], 99.0));
    r.rh2.push_back(toValue(f[16], 999.0));
    r.rh3.push_back(toValue(f[17], 999.0));
    switch (gps) {
        case GpsAltitude::None:
            r.gpsAltitude.push_back(MissingValue);
            break;
        case GpsAltitude::Field20:
            r.gpsAltitude.push_back(toValue(f[20], 99999.0));
            break;
        case GpsAltitude::SameAsAltitude:
            r.gpsAltitude.push_back(altitude);
            break;
    }
    return true;
}

void LineRecordReader::readLaunchRecord(std::string_view line) {
    RecordFieldArray f;
    splitRecord(line, f);
    raw_.sondeid = std::string(f[3]);
    const std::string_view date = f[4], time = f[5];
    int year = toInt(slice(date, 0, 2)) + 1900;
    if (year < 1990) year += 100;
    raw_.year = year;
    raw_.month = toInt(slice(date, 2, 2));
    raw_.day = toInt(slice(date, 4, 2));
    raw_.hour = toInt(slice(time, 0, 2));
    raw_.minute = toInt(slice(time, 2, 2));
    raw_.second = toInt(slice(time, 4));

    const ClockReading clock = readClock(date, time, clockHundredths_);
    if (!launchSeen_) clockBase_ = clock.whole;
    launchSeen_ = true;
    launchClock_ = static_cast<double>(clock.whole - clockBase_) + clock.fraction;
    raw_.launchTime = static_cast<double>(clock.whole) + clock.fraction;
}

void LineRecordReader::readLaunchObservation(std::string_view line, LaunchAltitude altitude) {
    RecordFieldArray f;
    splitRecord(line, f);
    raw_.pressure = toValue(f[6], 9999.0);
    raw_.temperature = toValue(f[7], 99.0);
    raw_.rh = toValue(f[8], 999.0);
    raw_.direction = toValue(f[9], 999.0);
    raw_.speed = toValue(f[10], 999.0);
    raw_.longitude = toValue(f[12], 999.0);
    raw_.latitude = toValue(f[13], 99.0);
    if (altitude == LaunchAltitude::Field20) {
        raw_.altitude = toValue(f[20], 99999.0);
        raw_.gpsaltitude = raw_.altitude;
    } else {
        raw_.altitude = toValue(f[14], 99999.0);
        raw_.gpsaltitude = MissingValue;
    }
}

std::string_view LineRecordReader::commentRest(std::string_view line, int fields) {
    return text::trim(text::dropFields(line, fields));
}

void LineRecordReader::readLaunchObsSource(std::string_view rest) {
    const auto comma = rest.find(',');
    if (comma == std::string_view::npos) {
        raw_.launchobssource = std::string(rest);
        raw_.launchobstime.clear();
    } else {
        raw_.launchobssource = std::string(rest.substr(0, comma));
        raw_.launchobstime = std::string(text::trimLeft(rest.substr(comma + 1)));
    }
}

void LineRecordReader::appendComment(std::string_view text) {
    if (!raw_.comments.empty()) raw_.comments += ", ";
    raw_.comments += text;
}

void LineRecordReader::appendDescription(std::string_view text) {
    description_ += text;
    description_ += ' ';
}

void LineRecordReader::readOperatorAndComments(std::string_view rest) {
    text::splitCommas(rest, pieces_);
    if (!pieces_.empty()) raw_.operatorName = std::string(pieces_[0]);
    if (pieces_.size() > 1) {
        appendComment(pieces_[1]);
        raw_.operatorcomments = std::string(pieces_[1]);
    }
}

bool LineRecordReader::readSharedComment(std::string_view l, std::string_view line) {
    if (l == " COM Operator Comments:    ")
        raw_.operatorcomments = raw_.comments = std::string(commentRest(line, 4));
    else if (l == " COM Sonde Dynamic Errors  ")
        pressureCorrection_ = text::toNumberOr(text::field(line, 7), 0.0);
    else if (l == " COM Data Type/Data Channel")
        raw_.datatype = std::string(commentRest(line, 5));
    else if (l == " COM Operator Name:        ")
        raw_.operatorName = std::string(commentRest(line, 4));
    else if (l == " COM Pre-launch Obs Data Sy")
        readLaunchObsSource(commentRest(line, 6));
    else
        return false;
    return true;
}

void LineRecordReader::finishRecords() {
    raw_.soundingdescription = raw_.sondeid + " " + std::string(text::trim(description_));

    RawRecords& r = raw_.records;
    for (double& t : r.time) t -= launchClock_;
    const double correction = pressureCorrection_ + 0.4;
    for (double& p : r.pressure)
        if (p != MissingValue) p += correction;

    if (!launchSeen_)
        fail("No launch line (LAU) found in file.\n");
    else
        checkLaunchDateTime();
}

void LineRecordReader::finishReading() {
    if (shortRecords_ > 0)
        note(std::to_string(shortRecords_) + (shortRecords_ == 1 ? " data line has" : " data lines have") +
             " fewer than the " + std::to_string(shortRecordNeeds_) + " fields of a record; not read.");
    setDropsondeCodes();
    if (count() < 1) fail("No sounding data found in file.\n");
}

}  // namespace velta
