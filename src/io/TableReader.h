// Base of the readers of the TURVA and FENRO table formats: fifteen header
// lines taken by position, a launch row (line 16), then one data row per line
// with blank-separated numeric columns. Rows with a negative time are skipped.
// A file is taken for a table only when its structure holds: a real launch
// date and time on line 5 and a launch row of numbers; a row with fewer
// columns than the format's is no record.
#pragma once

#include <array>
#include <string_view>

#include "io/LineReader.h"
#include "io/SoundingReader.h"

namespace velta {

class TableReader : public SoundingReader {
public:
    static constexpr int HeaderLines = 15;
    static constexpr int MaxColumns = 15;
    // Column values by 1-based column number; a missing column reads as 0.
    using Row = std::array<double, MaxColumns + 1>;

protected:
    // Reads every line, the first passed in; called by the derived constructor.
    void readAll(LineReader& lines, std::string_view firstLine);

    // The columns a row must have (the last one the format reads).
    virtual int rowColumns() const = 0;
    virtual void readHeader(int lineNumber, std::string_view line) = 0;
    virtual void readLaunchRow(const Row& row) = 0;
    virtual void readDataRow(const Row& row) = 0;

    // "... (y,m,d,h,m,s): 2005, 08, 27, 18:34:01": date and time after four fields.
    void readLaunchDateTime(std::string_view line);

private:
    void readLine(int lineNumber, std::string_view line);

    bool launchRowNumeric_ = false;
    int shortRows_ = 0;
};

}  // namespace velta
