#include "io/TableReader.h"

#include "io/TextFields.h"

namespace velta {

void TableReader::readAll(LineReader& lines, std::string_view firstLine) {
    int lineNumber = 1;
    readLine(lineNumber, firstLine);
    std::string_view line;
    while (lines.next(line)) readLine(++lineNumber, line);
    if (raw_.pressure <= MissingValue || count() == 0) valid_ = false;
}

void TableReader::readLine(int lineNumber, std::string_view line) {
    if (lineNumber <= HeaderLines) {
        readHeader(lineNumber, line);
        if (lineNumber == HeaderLines) valid_ = true;
        return;
    }
    // A line without any field is no row (it would read as a row of zeros).
    if (text::trim(line).empty()) return;
    Row row{};
    for (int k = 1; k <= MaxColumns; ++k) row[k] = text::toValue(text::nextToken(line));
    if (lineNumber == HeaderLines + 1) {
        readLaunchRow(row);
        return;
    }
    if (row[1] < 0.0) return;
    readDataRow(row);
}

void TableReader::readLaunchDateTime(std::string_view line) {
    std::string_view rest = text::dropFields(line, 4);
    raw_.year = text::toInt(text::nextToken(rest));
    raw_.month = text::toInt(text::nextToken(rest));
    raw_.day = text::toInt(text::nextToken(rest));
    text::scanClock(text::nextToken(rest), raw_.hour, raw_.minute, raw_.second);
}

}  // namespace velta
