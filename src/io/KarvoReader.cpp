#include "io/KarvoReader.h"

#include "io/TextFields.h"

namespace velta {

namespace {
constexpr std::size_t kMaxSondes = 64;
}

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
    recordSonde_.reserve(dataRecords + 1);
    raw_.statusByPart = clockHundredths_ = formatVersion_ >= 1.7;

    lines.seek(start);
    bool complete = readLine(firstLine);
    while (complete && lines.next(line)) complete = readLine(line);
    if (complete) {
        setAsideOtherSondes();
        finishRecords();
    }
    finishReading();
}

void KarvoReader::noteRecord(std::string_view line, std::string_view sondeId) {
    if (raw_.statusByPart) {
        const int status = (line[11] == '1' ? kStatusPtu : 0) | (line.size() > 12 && line[12] == '1' ? kStatusWind : 0);
        raw_.records.status.back() = status == 0 ? MissingValue : status;
    }
    std::size_t k = 0;
    while (k < sondeIds_.size() && sondeIds_[k] != sondeId) ++k;
    if (k == sondeIds_.size()) {
        // No data system records that many sondes at once; a damaged file's
        // further ids count with the last one.
        if (k < kMaxSondes)
            sondeIds_.emplace_back(sondeId);
        else
            k = kMaxSondes - 1;
    }
    recordSonde_.push_back(static_cast<uint16_t>(k));
}

namespace {

// How well one sonde's records describe a fall from the aircraft.
struct FallEvidence {
    int data = 0;  // records with a pressure or a GPS altitude
    double firstPressure = MissingValue, lastPressure = MissingValue;
    double firstGps = MissingValue, lastGps = MissingValue;

    void add(double pressure, double gps) {
        if (pressure != MissingValue) {
            if (firstPressure == MissingValue) firstPressure = pressure;
            lastPressure = pressure;
        }
        if (gps != MissingValue) {
            if (firstGps == MissingValue) firstGps = gps;
            lastGps = gps;
        }
        if (pressure != MissingValue || gps != MissingValue) ++data;
    }
    // Pressure rising and GPS altitude falling, where each is known; at
    // least one of them must be.
    bool falls() const {
        const bool pressureKnown = firstPressure != MissingValue && lastPressure != firstPressure;
        const bool gpsKnown = firstGps != MissingValue && lastGps != firstGps;
        if (!pressureKnown && !gpsKnown) return false;
        if (pressureKnown && !(lastPressure - firstPressure > kMinRise)) return false;
        if (gpsKnown && !(firstGps - lastGps > kMinDrop)) return false;
        return true;
    }
    static constexpr double kMinRise = 5.0;  // mb, far beyond the noise of a sonde at rest
    static constexpr double kMinDrop = 50.0;  // m, likewise for the GPS
};

}  // namespace

void KarvoReader::setAsideOtherSondes() {
    if (sondeIds_.size() < 2) return;
    const RawRecords& r = raw_.records;
    std::vector<FallEvidence> evidence(sondeIds_.size());
    std::vector<int> records(sondeIds_.size(), 0);
    for (std::size_t k = 0; k < recordSonde_.size(); ++k) {
        evidence[recordSonde_[k]].add(r.pressure[k], r.gpsAltitude[k]);
        ++records[recordSonde_[k]];
    }
    // A falling sonde before any other; among equals the most data, then the
    // launch record's id, then the first in the file.
    std::size_t best = 0;
    auto better = [&](std::size_t a, std::size_t b) {
        if (evidence[a].falls() != evidence[b].falls()) return evidence[a].falls();
        if (evidence[a].data != evidence[b].data) return evidence[a].data > evidence[b].data;
        return sondeIds_[a] == raw_.sondeid && sondeIds_[b] != raw_.sondeid;
    };
    for (std::size_t k = 1; k < sondeIds_.size(); ++k)
        if (better(k, best)) best = k;

    std::vector<char> keep(recordSonde_.size());
    for (std::size_t k = 0; k < recordSonde_.size(); ++k) keep[k] = recordSonde_[k] == best;
    raw_.records.keepOnly(keep);
    for (std::size_t k = 0; k < sondeIds_.size(); ++k)
        if (k != best) raw_.setAsideSondes.push_back({sondeIds_[k], records[k]});
    raw_.sondeid = sondeIds_[best];
}

bool KarvoReader::readLine(std::string_view line) {
    char kind, letter;
    if (!recordKeys(line, kind, letter)) return true;
    const bool gps = formatVersion_ >= 1.6;
    if (kind == 'D') {
        if (letter == 'S') {
            const int before = count();
            if (!readDataRecord(line, gps ? GpsAltitude::Field20 : GpsAltitude::None)) return false;
            if (count() > before) noteRecord(line, text::field(line, 3));
            return true;
        }
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
        const auto rest = commentRest(line, 4);
        appendComment(rest);
        if (!raw_.standardcomments.empty()) raw_.standardcomments += ", ";
        raw_.standardcomments += rest;
    } else if (l == " COM Operator Name/Comments") {
        readOperatorAndComments(commentRest(line, 4));
    } else if (l == " COM Sonde Type/ID/Ver/Batt") {
        text::splitCommas(commentRest(line, 5), pieces_);
        if (!pieces_.empty()) raw_.sondemodel = std::string(pieces_[0]);
    } else if (l == " COM Sonde ID/Type/Rev/Buil") {
        // id, type code, revision, build time, sensor module, GPS module
        text::splitCommas(commentRest(line, 4), pieces_);
        if (pieces_.size() >= 2) raw_.sondetypecode = std::string(pieces_[1]);
        if (pieces_.size() >= 5) raw_.sondemodel = std::string(pieces_[4]);
    } else if (l == " COM Sonde ID/ID$/Built/Fir") {
        text::splitCommas(commentRest(line, 4), pieces_);
        if (pieces_.size() >= 5) raw_.sondemodel = std::string(pieces_[4]);
    }
}

}  // namespace velta
