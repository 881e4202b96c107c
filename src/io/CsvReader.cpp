#include "io/CsvReader.h"

#include <string>

#include "io/TextFields.h"

namespace velta {

namespace {

// Piece with every double quote and control character removed, and trailing
// blanks.
std::string cleanValue(std::string_view piece) {
    std::string out;
    out.reserve(piece.size());
    for (char c : piece)
        if (c != '"' && static_cast<unsigned char>(c) >= 0x20) out += c;
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

std::string cleanKey(std::string_view piece) { return text::toLower(cleanValue(text::trim(piece))); }

// The text of a key line: the writer puts it between double quotes after the key, as it is,
// commas and quotes included. A line of that shape gives the whole text between the outer
// quotes (control characters removed); any other line gives its second piece, cleaned.
std::string textValue(std::string_view line, std::string_view piece) {
    const std::size_t comma = line.find(',');
    const std::string_view rest = comma == std::string_view::npos ? std::string_view() : text::trim(line.substr(comma + 1));
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return cleanValue(piece);
    std::string out;
    for (char c : rest.substr(1, rest.size() - 2))
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    return out;
}

}  // namespace

CsvReader::CsvReader(LineReader& lines, std::string_view firstLine) {
    readLine(firstLine);
    std::string_view line;
    while (lines.next(line)) readLine(line);

    valid_ = true;
    const std::size_t n = raw_.records.time.size();
    if (n == 0 || raw_.year == -999 || raw_.month == -999 || raw_.day == -999 || raw_.hour == -999 ||
        raw_.minute == -999 || raw_.second == -999)
        valid_ = false;
    else
        checkLaunchDateTime();
}

void CsvReader::readLine(std::string_view line) {
    line = text::trim(line);
    if (line.size() >= 5 && text::toLower(line.substr(0, 5)) == "data,") {
        text::splitCommasKeepLast(line, pieces_);
        readData();
        return;
    }
    text::splitCommasKeepLast(line, pieces_);
    if (pieces_.size() < 2) return;
    const std::string key = cleanKey(pieces_[0]);
    if (key == "fields") {
        readFields();
        return;
    }
    readKey(key, cleanValue(pieces_[1]), pieces_[1], textValue(line, pieces_[1]));
}

void CsvReader::readKey(std::string_view key, std::string_view value, std::string_view piece,
                        std::string_view text) {
    RawData& r = raw_;
    struct IntKey {
        const char* name;
        int RawData::*member;
    };
    static constexpr IntKey intKeys[] = {{"year", &RawData::year},     {"month", &RawData::month},
                                         {"day", &RawData::day},       {"hour", &RawData::hour},
                                         {"minute", &RawData::minute}, {"second", &RawData::second}};
    for (const auto& k : intKeys)
        if (key == k.name) {
            r.*k.member = text::toInt(piece);
            return;
        }
    struct NumberKey {
        const char* name;
        double RawData::*member;
    };
    static constexpr NumberKey numberKeys[] = {{"latitude", &RawData::latitude},
                                               {"longitude", &RawData::longitude},
                                               {"pressure", &RawData::pressure},
                                               {"temperature", &RawData::temperature},
                                               {"rh", &RawData::rh},
                                               {"speed", &RawData::speed},
                                               {"direction", &RawData::direction},
                                               {"altitude", &RawData::altitude},
                                               {"gpsaltitude", &RawData::gpsaltitude},
                                               {"ptuwindtimediff", &RawData::ptuwindtimediff}};
    for (const auto& k : numberKeys)
        if (key == k.name) {
            if (k.member == &RawData::ptuwindtimediff)
                r.ptuwindtimediff = text::toNumberOr(value, 0.0);
            else
                r.*k.member = value.empty() ? MissingValue : text::toValue(value);
            return;
        }
    struct TextKey {
        const char* name;
        std::string RawData::*member;
    };
    static constexpr TextKey textKeys[] = {{"comments", &RawData::comments},
                                           {"datatype", &RawData::datatype},
                                           {"equipmenttype", &RawData::equipmenttype},
                                           {"platformtype", &RawData::platformtype},
                                           {"projectid", &RawData::projectid},
                                           {"radiationcorr", &RawData::radiationcorr},
                                           {"trackingtype", &RawData::trackingtype},
                                           {"sondeid", &RawData::sondeid},
                                           {"sondetype", &RawData::sondetype},
                                           {"operator", &RawData::operatorName},
                                           {"soundingdescription", &RawData::soundingdescription},
                                           {"launchobssource", &RawData::launchobssource},
                                           {"launchobstime", &RawData::launchobstime}};
    for (const auto& k : textKeys)
        if (key == k.name) {
            r.*k.member = std::string(text);
            return;
        }
    if (key == "ascending") r.ascending = text::toLower(value) != "false";
}

void CsvReader::readFields() {
    struct Name {
        const char* name;
        Column column;
    };
    static constexpr Name names[] = {{"time", &RawRecords::time},
                                     {"pressure", &RawRecords::pressure},
                                     {"temperature", &RawRecords::temperature},
                                     {"rh", &RawRecords::rh1},
                                     {"rh1", &RawRecords::rh2},
                                     {"rh2", &RawRecords::rh3},
                                     {"speed", &RawRecords::windSpeed},
                                     {"direction", &RawRecords::windDirection},
                                     {"latitude", &RawRecords::latitude},
                                     {"longitude", &RawRecords::longitude},
                                     {"altitude", &RawRecords::altitude},
                                     {"ascent", &RawRecords::dz},
                                     {"sats", &RawRecords::sats},
                                     {"gpsalt", &RawRecords::gpsAltitude}};
    fieldCount_ = static_cast<int>(pieces_.size()) - 1;
    columns_.assign(pieces_.size() - 1, nullptr);
    hasTimeColumn_ = false;
    for (std::size_t k = 1; k < pieces_.size(); ++k) {
        const std::string name = text::toLower(text::trim(pieces_[k]));
        for (const auto& n : names)
            if (name == n.name) {
                columns_[k - 1] = n.column;
                if (n.column == &RawRecords::time) hasTimeColumn_ = true;
                break;
            }
    }
}

void CsvReader::readData() {
    if (static_cast<int>(pieces_.size()) != fieldCount_ + 1) return;
    // A record without a time is no record; every record gets a value (or
    // MissingValue) in every array, so the arrays stay of one length.
    if (!hasTimeColumn_) return;
    RawRecords& r = raw_.records;
    r.appendMissing();
    for (std::size_t k = 1; k < pieces_.size(); ++k) {
        const Column column = columns_[k - 1];
        if (column == nullptr) continue;
        const std::string_view piece = pieces_[k];
        (r.*column).back() = piece.empty() ? MissingValue : text::toValue(piece);
    }
}

}  // namespace velta
