// Reader of the VIRA sounding system's line format (ascending soundings): the
// Karvo line records in one pass, with VIRA's own comment labels.
#pragma once

#include <string_view>

#include "io/LineReader.h"
#include "io/LineRecordReader.h"

namespace velta {

class ViraReader : public LineRecordReader {
public:
    ViraReader(LineReader& lines, std::string_view firstLine);

private:
    bool readLine(std::string_view line);
    void readComment(std::string_view line);
};

}  // namespace velta
