#include "io/TextFields.h"

#include <climits>
#include <cmath>
#include <string>

#include "config/NumberText.h"
#include "sounding/MissingValue.h"

namespace velta::text {

namespace {

bool isWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view skipWhite(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isWhite(s[i])) ++i;
    return s.substr(i);
}

}  // namespace

std::string_view trimLeft(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view trimRight(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

std::string_view trim(std::string_view s) { return trimRight(trimLeft(s)); }

std::string_view nextToken(std::string_view& line) {
    line = trimLeft(line);
    const auto blank = line.find(' ');
    if (blank == std::string_view::npos) {
        const std::string_view token = line;
        line = {};
        return token;
    }
    const std::string_view token = line.substr(0, blank);
    line.remove_prefix(blank);
    return token;
}

std::string_view dropFields(std::string_view line, int n) {
    for (int i = 0; i < n && !line.empty(); ++i) nextToken(line);
    return line;
}

std::string_view field(std::string_view line, int n) {
    line = dropFields(line, n - 1);
    return nextToken(line);
}

void splitCommas(std::string_view s, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t comma;
    while ((comma = s.find(',')) != std::string_view::npos) {
        pieces.push_back(trim(s.substr(0, comma)));
        s.remove_prefix(comma + 1);
    }
    if (!s.empty()) pieces.push_back(trim(s));
}

void splitCommasKeepLast(std::string_view s, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t comma;
    while ((comma = s.find(',')) != std::string_view::npos) {
        pieces.push_back(trim(s.substr(0, comma)));
        s.remove_prefix(comma + 1);
    }
    pieces.push_back(trim(s));
}

std::string_view slice(std::string_view s, std::size_t pos, std::size_t len) {
    if (pos >= s.size()) return {};
    return s.substr(pos, len);
}

double toNumber(std::string_view s) { return leadingNumber(s); }

double toNumberOr(std::string_view s, double nanValue) {
    const double v = toNumber(s);
    return std::isnan(v) ? nanValue : v;
}

double toValue(std::string_view s) {
    const double v = toNumber(s);
    return std::isnan(v) ? MissingValue : v;
}

double toValue(std::string_view s, double sentinel) {
    const double v = toNumber(s);
    return (std::isnan(v) || v == sentinel) ? MissingValue : v;
}

namespace {

// Reads an optionally signed decimal integer at the start of s (after white
// space); false when there are no digits. Advances s past what was read.
bool readInt(std::string_view& s, int& out) {
    s = skipWhite(s);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i >= s.size() || !isDigit(s[i])) return false;
    long long value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (s[i] - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    out = static_cast<int>(value);
    s.remove_prefix(i);
    return true;
}

}  // namespace

int toInt(std::string_view s) {
    int value = 0;
    return readInt(s, value) ? value : 0;
}

void scanClock(std::string_view s, int& a, int& b, int& c) {
    if (!readInt(s, a)) return;
    if (s.empty() || s[0] != ':') return;
    s.remove_prefix(1);
    if (!readInt(s, b)) return;
    if (s.empty() || s[0] != ':') return;
    s.remove_prefix(1);
    readInt(s, c);
}

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace velta::text
