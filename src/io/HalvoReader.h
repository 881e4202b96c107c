// Reader of the HALVO sounding system's line format (ascending soundings): the
// Karvo line records in one pass, with HALVO's own comment labels. The first
// line is the file's title and never a record.
#pragma once

#include <string_view>

#include "io/LineReader.h"
#include "io/LineRecordReader.h"

namespace velta {

class HalvoReader : public LineRecordReader {
public:
    HalvoReader(LineReader& lines, std::string_view firstLine);

    double pressureCorrection() const { return pressureCorrection_; }

private:
    bool readLine(std::string_view line);
    void readComment(std::string_view line);
};

}  // namespace velta
