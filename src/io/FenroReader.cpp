#include "io/FenroReader.h"

#include <string>

#include "io/TextFields.h"

namespace velta {

FenroReader::FenroReader(LineReader& lines, std::string_view firstLine) {
    raw_.ascending = true;
    readAll(lines, firstLine);
    setDropsondeCodes();
}

void FenroReader::readHeader(int lineNumber, std::string_view line) {
    using namespace text;
    switch (lineNumber) {
        case 1:
            raw_.datatype = std::string(trim(dropFields(line, 2)));
            break;
        case 2: {
            std::string_view rest = dropFields(line, 2);
            std::string_view after = rest;
            if (nextToken(after).find("Version:") != std::string_view::npos) rest = after;
            rest = trim(rest);
            splitCommas(rest, pieces_);
            if (!pieces_.empty()) raw_.projectid = std::string(pieces_[0]);
            raw_.soundingdescription = std::string(rest) + "  ";
            break;
        }
        case 3:
            splitCommas(trim(dropFields(line, 4)), pieces_);
            if (pieces_.size() > 1) raw_.missionid = std::string(pieces_[1]);
            break;
        case 5:
            readLaunchDateTime(line);
            break;
        case 6: {
            raw_.platformtype = "ORVA FENRO";
            splitCommas(trim(dropFields(line, 4)), pieces_);
            if (pieces_.empty()) break;
            std::vector<std::string_view> words;
            std::string_view rest = pieces_[0];
            while (!trim(rest).empty()) words.push_back(nextToken(rest));
            if (words.size() >= 3) raw_.sondeid = std::string(words[2]);
            if (words.size() >= 2)
                for (std::size_t i = 0; i + 1 < words.size(); ++i) {
                    raw_.sondemodel += words[i];
                    raw_.sondemodel += ' ';
                }
            break;
        }
        case 9: {
            std::string_view rest = trim(dropFields(line, 4));
            raw_.launchobssource = std::string(nextToken(rest));
            break;
        }
        case 10:
            splitCommas(trim(dropFields(line, 2)), pieces_);
            if (!pieces_.empty()) raw_.operatorName = std::string(pieces_[0]);
            if (pieces_.size() > 1) raw_.comments = std::string(pieces_[1]);
            break;
        default:
            break;
    }
}

void FenroReader::readLaunchRow(const Row& row) {
    raw_.pressure = row[2];
    raw_.temperature = row[3];
    raw_.rh = row[4];
    raw_.direction = row[5];
    raw_.speed = row[6];
    raw_.longitude = row[8];
    raw_.latitude = row[9];
    raw_.altitude = row[10];
}

void FenroReader::readDataRow(const Row& row) {
    RawRecords& r = raw_.records;
    r.appendMissing();
    r.time.back() = row[1];
    r.pressure.back() = row[2];
    r.temperature.back() = row[3];
    r.rh1.back() = row[4];
    r.rh2.back() = row[4];
    r.rh3.back() = row[4];
    r.windDirection.back() = row[5];
    r.windSpeed.back() = row[6];
    r.dz.back() = row[7];
    r.longitude.back() = row[8];
    r.latitude.back() = row[9];
    r.altitude.back() = row[10];
    r.sats.back() = row[11];
}

}  // namespace velta
