#include "wmo/MessageGroup.h"

#include <string_view>
#include <utility>

namespace velta {

namespace {

std::string_view stripBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace

MessageGroup::MessageGroup(std::string text, bool startsLine)
    : text_(text), codedText_(std::move(text)), startsLine_(startsLine) {}

void MessageGroup::setText(std::string text) {
    text_ = std::move(text);
    modified_ = stripBlanks(text_) != stripBlanks(codedText_);
}

void MessageGroup::restore() {
    text_ = codedText_;
    modified_ = false;
}

}  // namespace velta
