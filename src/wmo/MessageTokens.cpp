#include "wmo/MessageTokens.h"

namespace velta {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == '\0'; }

}  // namespace

MessageTokens::MessageTokens(std::string_view text) {
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\n' && !(text[end] == '\r' && (end + 1 == text.size() || text[end + 1] != '\n')))
            ++end;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && blank(line.back())) line.remove_suffix(1);
        lines_.push_back({line, ++number});
        start = end + 1;
    }
    for (const MessageLine& line : lines_) {
        std::size_t i = 0;
        bool first = true;
        while (i < line.text.size()) {
            if (blank(line.text[i])) {
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < line.text.size() && !blank(line.text[j])) ++j;
            std::string_view word = line.text.substr(i, j - i);
            // "024152=": the group, then the terminator.
            if (word.size() > 1 && word.back() == '=') {
                tokens_.push_back({word.substr(0, word.size() - 1), line.number, static_cast<int>(i) + 1, first});
                tokens_.push_back({word.substr(word.size() - 1), line.number, static_cast<int>(j), false});
            } else {
                tokens_.push_back({word, line.number, static_cast<int>(i) + 1, first});
            }
            first = false;
            i = j;
        }
    }
}

std::string_view MessageTokens::lineFrom(int line, int column) const {
    if (line < 1 || static_cast<std::size_t>(line) > lines_.size() || column < 1) return {};
    const std::string_view text = lines_[static_cast<std::size_t>(line) - 1].text;
    const auto at = static_cast<std::size_t>(column) - 1;
    return at < text.size() ? text.substr(at) : std::string_view();
}

}  // namespace velta
