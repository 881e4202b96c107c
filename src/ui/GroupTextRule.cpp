#include "ui/GroupTextRule.h"

#include <algorithm>

namespace velta {
namespace {

bool all(const std::string& s, bool (*accept)(char)) { return std::all_of(s.begin(), s.end(), accept); }
bool letterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool digitOrSlash(char c) { return (c >= '0' && c <= '9') || c == '/'; }
bool remarkCharacter(char c) { return c >= ' ' && c <= '~' && c != '='; }

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

constexpr std::size_t kLongestRemark = 60;

}  // namespace

std::string groupTextProblem(SectionOrder section, std::size_t groupIndex, const std::string& entered) {
    const std::string text = trimmed(entered);
    if (text.empty()) return "A group cannot be empty. Use Delete to remove a group.";
    switch (section) {
        case SectionOrder::Heading:
            if (text.size() > 6 || !all(text, letterOrDigit))
                return "\"" + text + "\": a heading group is one to six letters or digits, for example UZNT13 or KNHC.";
            return {};
        case SectionOrder::Remarks:
            if (text.size() > kLongestRemark || !all(text, remarkCharacter))
                return "\"" + text + "\": remark text is at most 60 letters, digits, blanks and signs, without \"=\" "
                       "(the \"=\" ends the message).";
            return {};
        case SectionOrder::Terminator:
            if (text != "=") return "\"" + text + "\": the message ends with \"=\" and nothing else.";
            return {};
        default:
            break;
    }
    if (section == SectionOrder::Identification && groupIndex == 0) {
        if (text.size() != 4 || !all(text, letter))
            return "\"" + text + "\": the part identifier is four letters, for example XXAA.";
        return {};
    }
    if (text.size() != 5 || !all(text, digitOrSlash))
        return "\"" + text + "\": a code group is exactly five digits, with \"/\" for a missing figure.";
    return {};
}

}  // namespace velta
