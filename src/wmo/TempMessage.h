// A coded TEMP DROP (or TEMP) message: its parts, their printed lines, the
// text written to a file and the printed pages.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "wmo/MessagePart.h"

namespace velta {

struct MessagePage {
    std::string title;
    std::vector<std::string> lines;
};

class TempMessage {
public:
    static constexpr int LinesPerPage = 48;

    const std::vector<MessagePart>& parts() const { return parts_; }
    std::vector<MessagePart>& parts() { return parts_; }
    MessagePart& addPart(MessagePart part);

    // The part with that index (0 to 3 for A to D), or null.
    const MessagePart* findPart(int index) const;
    MessagePart* findPart(int index);

    // Number of groups over all parts.
    int groupCount() const;

    // The printed lines as bulletins are distributed: at most 65 characters,
    // two blanks after the part identifier, long groups wrapped hard at column
    // 65. No line ends in a blank but a wrapped one whose 65th character is.
    std::vector<std::string> lines() const;
    // Every line ended by CR LF; with appendNNNN, "NNNN" after the last line
    // (no line end).
    void write(std::ostream& out, bool appendNNNN) const;
    std::string text(bool appendNNNN) const;
    // The lines in pages of 48 for printing.
    std::vector<MessagePage> pages() const;

private:
    std::vector<MessagePart> parts_;
};

// Lays out the groups of one part as printed lines (appended to lines).
void layoutPart(const MessagePart& part, std::vector<std::string>& lines);

}  // namespace velta
