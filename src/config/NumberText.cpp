#include "config/NumberText.h"

#include <charconv>
#include <cmath>

namespace velta {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes neither a '+' nor a second sign, so the sign is handled here. It reads
    // the same on every machine: the decimal mark is '.', whatever the process locale says.
    if (i >= text.size() || text[i] == '+' || text[i] == '-') return 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto format = std::chars_format::general;
    char exponent = 'e';
    if (last - first >= 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        // atof reads hexadecimal numbers too; "0x" without digits is the 0 before the x.
        first += 2;
        format = std::chars_format::hex;
        exponent = 'p';
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(first, last, value, format);
    if (end == first) return 0.0;
    if (ec == std::errc::result_out_of_range) {
        // atof answers +-HUGE_VAL on overflow and (nearly) 0 on underflow.
        std::string_view digits(first, static_cast<std::size_t>(end - first));
        const std::size_t e = digits.find_first_of(exponent == 'e' ? "eE" : "pP");
        const bool tiny = e != std::string_view::npos && digits.find('-', e) != std::string_view::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

std::string formatFixed6(double value) {
    // A double in fixed notation needs at most 309 integer digits.
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buffer, end);
}

std::string trimConfigText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = out.find_last_not_of(' ');
    return out.substr(first, last - first + 1);
}

std::string trimWhiteSpace(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isSpace(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && isSpace(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace velta
