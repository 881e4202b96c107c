// Field and number handling shared by the sounding readers. Everything works on
// bounded string_views: nothing reads past a field or a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velta::text {

// Removes blanks at the front, the end, or both ends.
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);
std::string_view trim(std::string_view s);

// Takes the next blank-separated field from the front of line: leading blanks
// are skipped; the field ends at the next blank, and line keeps the rest
// starting with that blank. An exhausted line yields an empty field.
std::string_view nextToken(std::string_view& line);

// The line after its first n fields (the rest starts with the blank that
// ended field n).
std::string_view dropFields(std::string_view line, int n);

// Field n (1-based) of a line; empty when the line has fewer fields.
std::string_view field(std::string_view line, int n);

// Cuts s at every comma and trims each piece. An empty piece between two
// commas is kept; nothing is added for a comma at the very end (nor for empty
// text).
void splitCommas(std::string_view s, std::vector<std::string_view>& pieces);

// Like splitCommas, but a final comma leaves an empty last piece and empty
// text gives one empty piece.
void splitCommasKeepLast(std::string_view s, std::vector<std::string_view>& pieces);

// The characters [pos, pos + len) of s, shortened to what s holds.
std::string_view slice(std::string_view s, std::size_t pos, std::size_t len = std::string_view::npos);

// The number at the start of s after leading white space, as the C library's
// atof reads it ("12abc" is 12, "abc" is 0, "inf" and "nan" are read as such),
// but never looking beyond s.
double toNumber(std::string_view s);

// toNumber with a NaN read as the given value.
double toNumberOr(std::string_view s, double nanValue);

// toNumber with a NaN read as MissingValue.
double toValue(std::string_view s);

// toValue, and MissingValue also when the number equals the sentinel.
double toValue(std::string_view s, double sentinel);

// The integer at the start of s as atoi reads it (leading white space, sign,
// digits; "12.5" is 12, "x" is 0); clamped to the int range.
int toInt(std::string_view s);

// Reads "%d:%d:%d" from the start of s into a, b and c; like sscanf, stops at
// the first mismatch and leaves the remaining targets untouched.
void scanClock(std::string_view s, int& a, int& b, int& c);

// ASCII lower-case copy.
std::string toLower(std::string_view s);

}  // namespace velta::text
