#include "io/HalvoReader.h"

#include "io/TextFields.h"

namespace velta {

HalvoReader::HalvoReader(LineReader& lines, std::string_view /*firstLine*/) {
    valid_ = true;
    raw_.ascending = true;

    // The first line is lower-cased in the HALVO system, so it never matches a
    // record: it is skipped.
    bool complete = true;
    std::string_view line;
    while (complete && lines.next(line)) complete = readLine(line);
    if (complete) finishRecords();
    raw_.platformtype = "ORVA HALVO";
    finishReading();
}

bool HalvoReader::readLine(std::string_view line) {
    char kind, letter;
    if (!recordKeys(line, kind, letter)) return true;
    if (kind == 'D') {
        if (letter == 'S') return readDataRecord(line, GpsAltitude::SameAsAltitude);
        if (letter == 'A') readLaunchObservation(line, LaunchAltitude::Field14);
    } else if (kind == 'T') {
        if (letter == 'L')
            readLaunchRecord(line);
        else if (letter == 'T')
            raw_.ptuwindtimediff = text::toNumberOr(text::field(line, 3), 0.0);
        else if (letter == 'C')
            readComment(line);
    }
    return true;
}

void HalvoReader::readComment(std::string_view line) {
    const std::string_view l = label(line);
    if (readSharedComment(l, line)) return;
    if (l == " COM Project Name/Flight ID") {
        const auto rest = commentRest(line, 5);
        text::splitCommas(rest, pieces_);
        if (!pieces_.empty()) raw_.projectid = std::string(pieces_[0]);
        if (pieces_.size() > 1) raw_.missionid = std::string(pieces_[1]);
        appendDescription(rest);
    } else if (l == " COM Operator Name/Comments") {
        const auto rest = commentRest(line, 4);
        const auto comma = rest.find(',');
        raw_.operatorName = std::string(rest.substr(0, comma));
        raw_.comments = comma == std::string_view::npos ? std::string()
                                                        : std::string(text::trimLeft(rest.substr(comma + 1)));
    } else if (l == " COM Pre-launch Obs (lon,la" || l == " COM Launch Obs (lon,lat,al") {
        std::string_view rest = text::dropFields(line, 5);
        raw_.longitude = text::toValue(text::nextToken(rest));
        text::nextToken(rest);
        raw_.latitude = text::toValue(text::nextToken(rest));
        text::nextToken(rest);
        raw_.altitude = text::toValue(text::nextToken(rest));
    } else if (l == " COM Sonde ID/ID$/Built/Ver") {
        text::splitCommas(commentRest(line, 4), pieces_);
        if (pieces_.size() >= 5) raw_.sondemodel = std::string(pieces_[4]);
    }
}

}  // namespace velta
