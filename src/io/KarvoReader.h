// Reader of the Karvo airborne data system's raw dropsonde file (the D file).
// A first pass finds the format version; the second reads every record.
//
// From format 1.7 on ("0.25 second winds") the two status digits after the
// record letter flag each part of a record: the first the pressure,
// temperature and humidity, the second the winds and GPS (RawData's
// statusByPart), and record times keep their hundredths, as 4 Hz records need.
//
// A file can hold the records of more than one sonde, each under its own id in
// field 3. The dropped sonde is the one whose records describe a fall
// (pressure rising, GPS altitude falling), the one with the most such data when
// several do; the other sondes' records are set aside and counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/LineReader.h"
#include "io/LineRecordReader.h"

namespace velta {

class KarvoReader : public LineRecordReader {
public:
    // lines is positioned just after the first line, which is passed as text.
    KarvoReader(LineReader& lines, std::string_view firstLine);

    double formatVersion() const { return formatVersion_; }
    double pressureCorrection() const { return pressureCorrection_; }

private:
    // false when the reading must stop.
    bool readLine(std::string_view line);
    void readComment(std::string_view line);
    // Notes the sonde id of the data record just appended and, for formats
    // that flag each part, its part status.
    void noteRecord(std::string_view line, std::string_view sondeId);
    void setAsideOtherSondes();

    double formatVersion_ = 1.4;
    std::vector<std::string> sondeIds_;  // distinct ids of the data records
    std::vector<uint16_t> recordSonde_;  // index into sondeIds_ per record
};

}  // namespace velta
