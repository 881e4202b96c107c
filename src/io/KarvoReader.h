// Reader of the Karvo airborne data system's raw dropsonde file (the D file).
// A first pass finds the format version; the second reads every record.
#pragma once

#include <string_view>

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

    double formatVersion_ = 1.4;
};

}  // namespace velta
