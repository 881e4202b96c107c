// Reader of the comma-separated sounding format: key lines ("Year,2005",
// "Pressure,1012.3,...", "Fields,Time,...") and data lines ("Data,...").
#pragma once

#include <string_view>
#include <vector>

#include "io/LineReader.h"
#include "io/SoundingReader.h"

namespace velta {

class CsvReader : public SoundingReader {
public:
    CsvReader(LineReader& lines, std::string_view firstLine);

    // Number of data fields named by the "Fields" line.
    int fieldCount() const { return fieldCount_; }

private:
    using Column = std::vector<double> RawRecords::*;

    void readLine(std::string_view line);
    // value and piece: the second piece cleaned and as it is; text: the whole quoted text.
    void readKey(std::string_view key, std::string_view value, std::string_view piece, std::string_view text);
    void readFields();
    void readData();

    int fieldCount_ = 0;
    std::vector<Column> columns_;  // one per data field; nullptr for a skipped one
    bool hasTimeColumn_ = false;
    std::vector<std::string_view> pieces_;
};

}  // namespace velta
