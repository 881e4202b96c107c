#include "io/ViraReader.h"

#include "io/TextFields.h"

namespace velta {

ViraReader::ViraReader(LineReader& lines, std::string_view firstLine) {
    valid_ = true;
    raw_.ascending = true;
    raw_.platformtype = "ORVA VIRA";

    bool complete = readLine(firstLine);
    std::string_view line;
    while (complete && lines.next(line)) complete = readLine(line);
    if (complete) finishRecords();
    finishReading();
}

bool ViraReader::readLine(std::string_view line) {
    char kind, letter;
    if (!recordKeys(line, kind, letter)) return true;
    if (kind == 'D') {
        if (letter == 'S') return readDataRecord(line, GpsAltitude::Field20);
        if (letter == 'A') readLaunchObservation(line, LaunchAltitude::Field20);
    } else if (kind == 'T') {
        if (letter == 'L')
            readLaunchRecord(line);
        else if (letter == 'C')
            readComment(line);
    }
    return true;
}

void ViraReader::readComment(std::string_view line) {
    const std::string_view l = label(line);
    if (l == " COM Project Name/Mission I") {
        const auto rest = commentRest(line, 5);
        text::splitCommas(rest, pieces_);
        if (!pieces_.empty()) raw_.projectid = std::string(pieces_[0]);
        if (pieces_.size() > 1) raw_.missionid = std::string(pieces_[1]);
        appendDescription(rest);
    } else if (l == " COM Operator Name/Comments") {
        readOperatorAndComments(commentRest(line, 4));
    } else if (l == " COM Data Type/Data Channel") {
        text::splitCommas(commentRest(line, 5), pieces_);
        if (!pieces_.empty()) raw_.datatype = std::string(pieces_[0]);
    } else if (l == " COM Pre-launch Obs Data Sy") {
        readLaunchObsSource(commentRest(line, 6));
    } else if (l == " COM Sonde ID/ID$/Type/Sens") {
        text::splitCommas(commentRest(line, 4), pieces_);
        if (pieces_.size() >= 3) raw_.sondemodel = std::string(pieces_[2]);
    } else if (l == " COM Standard Comments:    ") {
        appendComment(commentRest(line, 4));
    }
}

}  // namespace velta
