#include "wmo/TempDecoder.h"

#include <string>

#include "wmo/DecodedFigures.h"
#include "wmo/MessageTokens.h"
#include "wmo/RemarkDecoder.h"

namespace velta {

namespace {

// A remark goes on directly after a line of exactly this length; after any
// other line a blank stood at its end.
constexpr std::size_t LineWidth = 65;

bool isFigures(std::string_view s) {
    for (char c : s)
        if ((c < '0' || c > '9') && c != '/') return false;
    return true;
}

bool isGroup(std::string_view s) { return s.size() == 5 && isFigures(s); }

// 0 to 3 for "XXAA" ... "IIDD", -1 for anything else.
int partIndexOf(std::string_view s) {
    if (s.size() != 4) return -1;
    const std::string_view type = s.substr(0, 2);
    if (type != "XX" && type != "TT" && type != "UU" && type != "II") return -1;
    if (s[2] != s[3] || s[2] < 'A' || s[2] > 'D') return -1;
    return s[2] - 'A';
}

bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// T1T2A1A2ii of an abbreviated heading, "UZNT13".
bool isDesignator(std::string_view s) {
    return s.size() == 6 && isLetter(s[0]) && isLetter(s[1]) && isLetter(s[2]) && isLetter(s[3]) &&
           isDigit(s[4]) && isDigit(s[5]);
}

bool isSectionIndicator(std::string_view s) {
    return s == "21212" || s == "31313" || s == "41414" || s == "51515" || s == "61616" || s == "62626" ||
           s == "=";
}

// The pressure of the last standard surface with a wind, from Id.
std::optional<double> windTop(const std::string& indicator, int part) {
    if (indicator.size() != 1) return std::nullopt;
    const char c = indicator[0];
    if (part == 0) {
        switch (c) {
            case '1': return 100.0;
            case '2': return 200.0;
            case '3': return 300.0;
            case '4': return 400.0;
            case '5': return 500.0;
            case '7': return 700.0;
            case '8': return 850.0;
            case '9': return 925.0;
            case '0': return 1000.0;
            default: return std::nullopt;
        }
    }
    switch (c) {
        case '1': return 10.0;
        case '2': return 20.0;
        case '3': return 30.0;
        case '5': return 50.0;
        case '7': return 70.0;
        default: return std::nullopt;
    }
}

class Decoder {
public:
    Decoder(std::string_view text, DecodeResult& result) : text_(text), tokens_(text_.tokens()), result_(result) {}

    void run() {
        while (i_ < tokens_.size()) {
            const MessageToken& t = tokens_[i_];
            if (headingAt(i_)) {
                startMessage(t.line);
                readHeading();
            } else if (const int index = partIndexOf(t.text); index >= 0) {
                if (!open_ || lastPart_ >= index) startMessage(t.line);
                readPart(index);
            } else {
                // Text outside a message: transmission lines, NNNN, blank parts.
                ++i_;
            }
        }
        finishMessage();
    }

private:
    // A heading begins a line with its designator and holds at least one
    // more group on that line.
    bool headingAt(std::size_t k) const {
        const MessageToken& t = tokens_[k];
        return t.startsLine && isDesignator(t.text) && k + 1 < tokens_.size() && tokens_[k + 1].line == t.line;
    }

    // Where the current part ends without its terminator.
    bool stopAt(std::size_t k) const {
        const MessageToken& t = tokens_[k];
        return headingAt(k) || partIndexOf(t.text) >= 0 || (t.startsLine && t.text == "NNNN");
    }

    void startMessage(int line) {
        finishMessage();
        open_ = true;
        message_.line = line;
        lastPart_ = -1;
    }

    void finishMessage() {
        if (open_ && !message_.parts.empty()) result_.messages.push_back(std::move(message_));
        message_ = DecodedMessage();
        open_ = false;
    }

    void problem(const MessageToken& t, std::string reason) {
        result_.problems.push_back({t.line, t.column, std::string(t.text), std::move(reason)});
    }

    void readHeading() {
        const int line = tokens_[i_].line;
        DecodedHeading h;
        h.text = std::string(text_.lineFrom(line, tokens_[i_].column));
        std::vector<std::string_view> words;
        while (i_ < tokens_.size() && tokens_[i_].line == line) words.push_back(tokens_[i_++].text);
        h.designator = std::string(words[0]);
        if (words.size() > 1) h.station = std::string(words[1]);
        if (words.size() > 2) h.time = std::string(words[2]);
        for (std::size_t k = 3; k + 1 < words.size(); ++k)
            if (words[k] == "COR")
                if (const auto n = digitValue(words[k + 1])) h.correction = *n;
        message_.heading = std::move(h);
        headingGroups_ = 1;
    }

    // The current token when it still belongs to the part.
    const MessageToken* peek() const {
        if (i_ >= tokens_.size() || stopAt(i_)) return nullptr;
        return &tokens_[i_];
    }
    const MessageToken* take() {
        const MessageToken* t = peek();
        if (t) {
            ++i_;
            ++part_.groups;
        }
        return t;
    }
    // The next token as a group of five figures; reported otherwise.
    std::optional<std::string_view> takeGroup(const char* what) {
        const MessageToken* t = peek();
        if (!t || isSectionIndicator(t->text)) {
            if (t) problem(*t, std::string("expected ") + what);
            return std::nullopt;
        }
        take();
        if (!isGroup(t->text)) {
            problem(*t, std::string("malformed ") + what);
            return std::nullopt;
        }
        return t->text;
    }

    DecodedLevel newLevel(DecodedLevelKind kind, const MessageToken& at) {
        DecodedLevel level;
        level.part = part_.index;
        level.kind = kind;
        level.knots = part_.knots;
        level.line = at.line;
        level.column = at.column;
        return level;
    }

    void readTemperatureGroup(DecodedLevel& level) {
        const MessageToken* t = peek();
        const auto g = takeGroup("temperature group");
        if (!g) return;
        if (!decodeTemperature(g->substr(0, 3), level.temperature) ||
            !decodeDepression(g->substr(3), level.depression))
            problem(*t, "temperature group out of the code");
    }

    void readWindGroup(DecodedLevel& level) {
        const MessageToken* t = peek();
        const auto g = takeGroup("wind group");
        if (!g) return;
        if (!decodeWind(*g, level.direction, level.speed)) problem(*t, "wind group out of the code");
    }

    void readIdentification(std::string_view type) {
        if (type == "UU" || type == "II") {
            if (const MessageToken* t = take()) part_.callSign = std::string(t->text);
        }
        if (const MessageToken* t = peek(); const auto g = takeGroup("day and hour group")) {
            const auto yy = digitValue(g->substr(0, 2));
            const auto gg = digitValue(g->substr(2, 2));
            if (!yy || !gg || *yy % 50 < 1 || *yy % 50 > 31 || *yy > 81 || *gg > 23) {
                problem(*t, "day and hour out of range");
            } else {
                part_.knots = *yy > 50;
                part_.day = *yy % 50;
                part_.hour = *gg;
            }
            part_.indicator = std::string(g->substr(4));
        }
        if (type == "TT") {
            if (const auto g = takeGroup("station group")) part_.station = std::string(*g);
            return;
        }
        const MessageToken* t = peek();
        const auto la = takeGroup("latitude group");
        if (la && la->substr(0, 2) != "99") problem(*t, "latitude group without 99");
        t = peek();
        const auto lo = takeGroup("longitude group");
        if (la && lo && la->substr(0, 2) == "99") {
            const auto lat = digitValue(la->substr(2));
            const auto lon = digitValue(lo->substr(1));
            const char q = (*lo)[0];
            if (lat && lon && (q == '1' || q == '3' || q == '5' || q == '7')) {
                part_.latitude = (q == '3' || q == '5' ? -1 : 1) * *lat / 10.0;
                part_.longitude = (q == '5' || q == '7' ? -1 : 1) * *lon / 10.0;
            } else if (!allSlashes(la->substr(2)) || !allSlashes(*lo)) {
                problem(*t, "position out of the code");
            }
        }
        takeGroup("Marsden square group");
        if (type == "II") takeGroup("station elevation group");
    }

    void readSurface() {
        const MessageToken* t = peek();
        take();
        DecodedLevel level = newLevel(DecodedLevelKind::Surface, *t);
        decodePressure(t->text.substr(2), false, level.pressure);
        if (!isFigures(t->text)) problem(*t, "malformed surface group");
        readTemperatureGroup(level);
        readWindGroup(level);
        message_.levels.push_back(level);
    }

    void readStandard(const MessageToken& t, double pressure, std::optional<double> top) {
        take();
        DecodedLevel level = newLevel(DecodedLevelKind::Standard, t);
        level.pressure = pressure;
        if (!decodeHeight(t.text.substr(2), pressure, level.height)) problem(t, "height out of the code");
        readTemperatureGroup(level);
        if (top && pressure >= *top) readWindGroup(level);
        message_.levels.push_back(level);
    }

    void readTropopause(const MessageToken& t) {
        take();
        if (t.text == "88999") return;
        DecodedLevel level = newLevel(DecodedLevelKind::Tropopause, t);
        if (!decodePressure(t.text.substr(2), part_.index >= 2, level.pressure)) problem(t, "malformed pressure");
        readTemperatureGroup(level);
        readWindGroup(level);
        message_.levels.push_back(level);
    }

    void readMaximumWind(const MessageToken& t) {
        take();
        if (t.text == "77999" || t.text == "66999") return;
        DecodedLevel level = newLevel(DecodedLevelKind::MaximumWind, t);
        level.topOfWind = t.text[0] == '6';
        if (!decodePressure(t.text.substr(2), part_.index >= 2, level.pressure)) problem(t, "malformed pressure");
        readWindGroup(level);
        if (const MessageToken* s = peek(); s && isGroup(s->text) && s->text[0] == '4' && !isSectionIndicator(s->text)) {
            take();
            level.shearBelow = digitValue(s->text.substr(1, 2));
            level.shearAbove = digitValue(s->text.substr(3, 2));
        }
        message_.levels.push_back(level);
    }

    // nnPPP of parts B and D, numbered 00 (B) or 11 (D), 11 ... 99, 11 ...
    void readSignificant(const MessageToken& t, bool wind, int& expected) {
        take();
        DecodedLevel level =
            newLevel(wind ? DecodedLevelKind::SignificantWind : DecodedLevelKind::SignificantTemperature, t);
        const int number = t.text[0] - '0';
        if (number != expected) problem(t, "level number " + std::string(t.text.substr(0, 2)) + " out of order");
        expected = number == 9 ? 1 : number + 1;
        if (!decodePressure(t.text.substr(2), part_.index >= 2, level.pressure) || !level.pressure)
            problem(t, "malformed pressure");
        if (wind)
            readWindGroup(level);
        else
            readTemperatureGroup(level);
        message_.levels.push_back(level);
    }

    void read31313() {
        if (const auto g = takeGroup("instrument group")) part_.instrument = std::string(*g);
        const MessageToken* t = peek();
        if (t && isGroup(t->text) && t->text[0] == '8') {
            take();
            part_.launchTime = digitValue(t->text.substr(1));
        }
    }

    void read51515() {
        while (const MessageToken* t = peek()) {
            if (!isGroup(t->text) || t->text.substr(0, 3) != "101") return;
            take();
            if (t->text == "10191") {
                part_.extrapolatedSurface = true;
            } else if (t->text == "10190") {
                const MessageToken* at = peek();
                const auto g = takeGroup("extrapolated height group");
                if (!g) continue;
                DecodedLevel level = newLevel(DecodedLevelKind::ExtrapolatedAltitude, *at);
                level.pressure = standardPressure(g->substr(0, 2), part_.index >= 2);
                if (!level.pressure || !decodeHeight(g->substr(2), *level.pressure, level.height))
                    problem(*at, "extrapolated height out of the code");
                message_.levels.push_back(level);
            } else if (t->text == "10166") {
                const MessageToken* at = peek();
                const auto g = takeGroup("doubtful heights group");
                if (!g) continue;
                part_.doubtfulBottom = standardPressure(g->substr(1, 2), false);
                part_.doubtfulTop = standardPressure(g->substr(3, 2), false);
                if ((*g)[0] != '0' || !part_.doubtfulBottom || !part_.doubtfulTop)
                    problem(*at, "doubtful heights out of the code");
            }
        }
    }

    // The rest of the 61616 line.
    void readMission(const MessageToken& t) {
        take();
        std::string text(text_.lineFrom(t.line, t.column + 5));
        while (const MessageToken* n = peek()) {
            if (n->line != t.line || n->text == "=") break;
            ++i_;
        }
        if (const auto eq = text.find('='); eq != std::string::npos) text.erase(eq);
        part_.mission = decodeMission(text);
    }

    // Everything to the terminator, the lines joined as 65-column records: a
    // shorter line lost blanks at its end, a full one goes on directly.
    void readRemarks(const MessageToken& t) {
        take();
        std::string text;
        int line = t.line;
        std::string_view piece = text_.lineFrom(line, t.column + 5);
        std::size_t lineLength = text_.lineFrom(line, 1).size();
        while (true) {
            const MessageToken* n = peek();
            if (!n || n->text == "=") {
                if (n && n->line == line) piece = piece.substr(0, std::min(piece.size(), piece.size() - text_.lineFrom(line, n->column).size()));
                text += piece;
                break;
            }
            if (n->line != line) {
                text += piece;
                if (lineLength != LineWidth) text += ' ';
                line = n->line;
                piece = text_.lineFrom(line, 1);
                lineLength = piece.size();
                continue;
            }
            ++i_;
        }
        part_.remarks = decodeRemarks(text);
    }

    void readTrailer(const MessageToken& t) {
        if (t.text == "31313") {
            take();
            read31313();
        } else if (t.text == "51515") {
            take();
            read51515();
        } else if (t.text == "41414") {
            take();
            takeGroup("cloud group");
        } else if (t.text == "61616") {
            readMission(t);
        } else if (t.text == "62626") {
            readRemarks(t);
        } else {
            // 21212 in part A or C.
            take();
            problem(t, "unexpected group");
        }
    }

    void readPart(int index) {
        part_ = DecodedPart();
        part_.index = index;
        part_.identifier = std::string(tokens_[i_].text);
        part_.line = tokens_[i_].line;
        lastPart_ = index;
        ++i_;
        part_.groups = 1;
        readIdentification(std::string_view(part_.identifier).substr(0, 2));

        const bool standardPart = index == 0 || index == 2;
        const std::optional<double> top = windTop(part_.indicator, index);
        double lastStandard = 2000.0;
        bool windSection = false;
        int expected = index == 1 ? 0 : 1;
        while (const MessageToken* t = peek()) {
            const std::string_view s = t->text;
            if (s == "=") {
                take();
                part_.terminated = true;
                break;
            }
            if (isSectionIndicator(s) || s == "41414") {
                if (s == "21212" && !standardPart) {
                    take();
                    windSection = true;
                    expected = index == 1 ? 0 : 1;
                } else {
                    readTrailer(*t);
                }
                continue;
            }
            if (!isGroup(s)) {
                take();
                problem(*t, "malformed group");
                continue;
            }
            if (standardPart) {
                const auto p = standardPressure(s.substr(0, 2), index == 2);
                if (index == 0 && s.substr(0, 2) == "99" && lastStandard == 2000.0) {
                    readSurface();
                    lastStandard = 1999.0;
                } else if (p && *p < lastStandard) {
                    lastStandard = *p;
                    readStandard(*t, *p, top);
                } else if (s.substr(0, 2) == "88") {
                    readTropopause(*t);
                } else if (s.substr(0, 2) == "77" || s.substr(0, 2) == "66") {
                    readMaximumWind(*t);
                } else {
                    take();
                    problem(*t, "unexpected group");
                }
            } else if (s[0] == s[1] && s[0] != '/') {
                readSignificant(*t, windSection, expected);
            } else {
                take();
                problem(*t, "unexpected group");
            }
        }
        if (!part_.terminated) {
            const MessageToken& last = tokens_[i_ > 0 ? i_ - 1 : 0];
            problem(last, "part " + part_.identifier + " ends without =");
        }
        if (message_.parts.empty()) part_.groups += headingGroups_;
        headingGroups_ = 0;
        message_.parts.push_back(std::move(part_));
    }

    MessageTokens text_;
    const std::vector<MessageToken>& tokens_;
    DecodeResult& result_;
    std::size_t i_ = 0;
    DecodedMessage message_;
    bool open_ = false;
    DecodedPart part_;
    int lastPart_ = -1;
    int headingGroups_ = 0;
};

}  // namespace

const char* levelKindName(DecodedLevelKind kind) {
    switch (kind) {
        case DecodedLevelKind::Surface: return "surface";
        case DecodedLevelKind::Standard: return "standard";
        case DecodedLevelKind::Tropopause: return "tropopause";
        case DecodedLevelKind::MaximumWind: return "maximum wind";
        case DecodedLevelKind::SignificantTemperature: return "significant temperature";
        case DecodedLevelKind::SignificantWind: return "significant wind";
        case DecodedLevelKind::ExtrapolatedAltitude: return "extrapolated height";
    }
    return "";
}

int DecodedMessage::groupCount() const {
    int n = 0;
    for (const DecodedPart& p : parts) n += p.groups;
    return n;
}

DecodeResult decodeTempMessages(std::string_view text) {
    DecodeResult result;
    Decoder(text, result).run();
    return result;
}

}  // namespace velta
