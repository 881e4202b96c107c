#include "io/TableReader.h"

#include <charconv>
#include <string>

#include "io/TextFields.h"

namespace velta {

namespace {

bool isNumber(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size();
}

}  // namespace

void TableReader::readAll(LineReader& lines, std::string_view firstLine) {
    int lineNumber = 1;
    readLine(lineNumber, firstLine);
    std::string_view line;
    while (lines.next(line)) readLine(++lineNumber, line);
    if (shortRows_ > 0)
        note(std::to_string(shortRows_) + (shortRows_ == 1 ? " data line has" : " data lines have") +
             " fewer than the " + std::to_string(rowColumns()) + " columns of a row; not read.");
    if (!valid_) return;  // fewer lines than the header
    if (!checkLaunchDateTime()) return;
    if (!launchRowNumeric_) {
        fail("Line 16 is no launch row of numbers.\n");
        return;
    }
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
    const int columns = rowColumns();
    bool numeric = true;
    for (int k = 1; k <= MaxColumns; ++k) {
        const std::string_view token = text::nextToken(line);
        if (k <= columns && token.empty()) {
            if (lineNumber > HeaderLines + 1) ++shortRows_;
            return;
        }
        if (k <= columns) numeric = numeric && isNumber(token);
        row[k] = text::toValue(token);
    }
    if (lineNumber == HeaderLines + 1) {
        launchRowNumeric_ = numeric;
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
