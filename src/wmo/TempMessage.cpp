#include "wmo/TempMessage.h"

#include <ostream>
#include <sstream>

namespace velta {

namespace {

// Lines are at most 65 characters, as bulletins are distributed; a group
// too long for a line of its own is wrapped hard at that column.
constexpr std::size_t LineWidth = 65;
constexpr int GroupsPerLine = 11;
// The part identifier fills a field of five, so that two blanks follow
// "XXAA" and every group of the part stands on a six-column grid.
constexpr std::size_t IdentifierWidth = 5;

void trimTrailingBlanks(std::string& line) {
    const auto end = line.find_last_not_of(' ');
    line.erase(end == std::string::npos ? 0 : end + 1);
}

class LineBuilder {
public:
    explicit LineBuilder(std::vector<std::string>& lines) : lines_(lines) {}

    void close() {
        trimTrailingBlanks(line_);
        if (!line_.empty()) lines_.push_back(line_);
        line_.clear();
        count_ = 0;
    }

    void add(const MessageGroup& group, bool identifier) {
        if (group.startsLine()) close();
        std::string text = group.text();
        if (identifier && text.size() < IdentifierWidth) text.resize(IdentifierWidth, ' ');
        if (text.size() >= LineWidth) {
            addLong(text);
            return;
        }
        if (!line_.empty() && line_.size() + 1 + text.size() > LineWidth) close();
        if (!line_.empty()) line_ += ' ';
        line_ += text;
        if (++count_ == GroupsPerLine) close();
    }

private:
    // Full lines of 65 characters while more is left, the next line going on
    // at column 1 even inside a group; the rest opens the next line. A blank
    // in the 65th column stays, so that joining the lines gives the text back.
    void addLong(const std::string& text) {
        close();
        std::size_t pos = 0;
        while (text.size() - pos > LineWidth) {
            lines_.push_back(text.substr(pos, LineWidth));
            pos += LineWidth;
        }
        line_ = text.substr(pos);
        count_ = 1;
    }

    std::vector<std::string>& lines_;
    std::string line_;
    int count_ = 0;
};

}  // namespace

MessagePart& TempMessage::addPart(MessagePart part) {
    parts_.push_back(std::move(part));
    return parts_.back();
}

const MessagePart* TempMessage::findPart(int index) const {
    for (const MessagePart& p : parts_)
        if (p.index() == index) return &p;
    return nullptr;
}

MessagePart* TempMessage::findPart(int index) {
    for (MessagePart& p : parts_)
        if (p.index() == index) return &p;
    return nullptr;
}

int TempMessage::groupCount() const {
    int n = 0;
    for (const MessagePart& p : parts_) n += p.groupCount();
    return n;
}

void layoutPart(const MessagePart& part, std::vector<std::string>& lines) {
    LineBuilder builder(lines);
    for (const MessageSection& section : part.sections()) {
        const bool identification = section.order() == SectionOrder::Identification;
        for (const MessageGroup& group : section.groups())
            builder.add(group, identification && group.startsLine());
    }
    builder.close();
}

std::vector<std::string> TempMessage::lines() const {
    std::vector<std::string> out;
    for (const MessagePart& p : parts_) layoutPart(p, out);
    return out;
}

void TempMessage::write(std::ostream& out, bool appendNNNN) const {
    for (const std::string& line : lines()) out << line << "\r\n";
    if (appendNNNN) out << "NNNN";
}

std::string TempMessage::text(bool appendNNNN) const {
    std::ostringstream out;
    write(out, appendNNNN);
    return out.str();
}

std::vector<MessagePage> TempMessage::pages() const {
    std::vector<MessagePage> out;
    for (const std::string& line : lines()) {
        if (out.empty() || out.back().lines.size() == LinesPerPage) out.push_back({"WMO Message", {}});
        out.back().lines.push_back(line);
    }
    return out;
}

}  // namespace velta
