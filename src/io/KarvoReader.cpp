#include "io/KarvoReader.h"

#include "io/TextFields.h"

namespace velta {

KarvoReader::KarvoReader(LineReader& lines, std::string_view firstLine) {
    valid_ = true;
    raw_.ascending = false;

    const std::size_t start = lines.position();
    std::string_view line;
    std::size_t dataRecords = 0;
    char kind, letter;
    while (lines.next(line)) {
        if (!recordKeys(line, kind, letter)) continue;
        if (kind == 'T' && letter == 'F') formatVersion_ = text::toNumber(text::field(line, 4));
        if (kind == 'D' && letter == 'S') ++dataRecords;
    }
    raw_.records.reserve(dataRecords + 1);

    lines.seek(start);
    bool complete = readLine(firstLine);
    while (complete && lines.next(line)) complete = readLine(line);
    if (complete) finishRecords();
    finishReading();
}

bool KarvoReader::readLine(std::string_view line) {
    char kind, letter;
    if (!recordKeys(line, kind, letter)) return true;
    const bool gps = formatVersion_ >= 1.6;
    if (kind == 'D') {
        if (letter == 'S') return readDataRecord(line, gps ? GpsAltitude::Field20 : GpsAltitude::None);
        if (letter == 'A')
            readLaunchObservation(line, gps ? LaunchAltitude::Field20 : LaunchAltitude::Field14);
        return true;
    }
    if (kind != 'T') return true;
    switch (letter) {
        case 'L':
            readLaunchRecord(line);
            break;
        case 'T':
            raw_.ptuwindtimediff = text::toNumberOr(text::field(line, 3), 0.0);
            break;
        case 'F':
            formatVersion_ = text::toNumber(text::field(line, 4));
            break;
        case 'C':
            readComment(line);
            break;
        default:
            break;
    }
    return true;
}

void KarvoReader::readComment(std::string_view line) {
    const std::string_view l = label(line);
    if (readSharedComment(l, line)) return;
    if (l == " COM Project Name/Flight ID" || l == " COM Project Name/Mission I") {
        const auto rest = commentRest(line, 5);
        raw_.projectid = std::string(rest);
        appendDescription(rest);
    } else if (l == " COM Aircraft Type/ID:     ") {
        const auto rest = commentRest(line, 4);
        raw_.platformtype = std::string(rest);
        appendDescription(rest);
    } else if (l == " COM Standard Comments:    ") {
        appendComment(commentRest(line, 4));
    } else if (l == " COM Operator Name/Comments") {
        readOperatorAndComments(commentRest(line, 4));
    } else if (l == " COM Sonde Type/ID/Ver/Batt") {
        text::splitCommas(commentRest(line, 5), pieces_);
        if (!pieces_.empty()) raw_.sondemodel = std::string(pieces_[0]);
    } else if (l == " COM Sonde ID/ID$/Built/Fir") {
        text::splitCommas(commentRest(line, 4), pieces_);
        if (pieces_.size() >= 5) raw_.sondemodel = std::string(pieces_[4]);
    }
}

}  // namespace velta
