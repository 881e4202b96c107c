// A message file cut into lines and blank-separated groups with their
// positions, whatever its line ends (CR LF, LF, CR) and trailing blanks. A
// "=" written against the group before it is a group of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velta {

struct MessageToken {
    std::string_view text;
    int line = 0;    // 1-based
    int column = 0;  // 1-based
    bool startsLine = false;
};

struct MessageLine {
    std::string_view text;  // without its line end and trailing blanks
    int number = 0;
};

class MessageTokens {
public:
    // The text must outlive the tokens.
    explicit MessageTokens(std::string_view text);

    const std::vector<MessageToken>& tokens() const { return tokens_; }
    const std::vector<MessageLine>& lines() const { return lines_; }
    // The text of a line from a 1-based column on; empty past its end.
    std::string_view lineFrom(int line, int column) const;

private:
    std::vector<MessageLine> lines_;
    std::vector<MessageToken> tokens_;
};

}  // namespace velta
