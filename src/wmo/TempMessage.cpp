#include "wmo/TempMessage.h"

#include <ostream>
#include <sstream>

namespace velta {

namespace {

// Groups longer than this are cut into lines of their own.
constexpr std::size_t LongGroup = 64;
constexpr std::size_t PieceLength = 65;
constexpr int GroupsPerLine = 11;

class LineBuilder {
public:
    explicit LineBuilder(std::vector<std::string>& lines) : lines_(lines) {}

    void close() {
        if (!line_.empty()) lines_.push_back(line_);
        line_.clear();
        count_ = 0;
    }

    void add(const MessageGroup& group) {
        if (group.startsLine()) close();
        const std::string& text = group.text();
        if (text.size() > LongGroup) {
            addLong(text);
            return;
        }
        line_ += text;
        line_ += ' ';
        if (count_ == GroupsPerLine - 1) {
            lines_.push_back(line_);
            line_.clear();
            count_ = 0;
        } else {
            ++count_;
        }
    }

private:
    // Full pieces go on lines of their own while more than a normal group is
    // left; the rest, however short, opens the next line. A blank at the end
    // of a piece would be lost when the line is written, so the next line
    // begins with one.
    void addLong(const std::string& text) {
        close();
        std::size_t pos = 0;
        bool blankCarried = false;
        while (text.size() - pos > LongGroup) {
            std::string piece(blankCarried ? 1 : 0, ' ');
            piece.append(text, pos, PieceLength);
            pos += PieceLength;
            blankCarried = piece.back() == ' ';
            lines_.push_back(std::move(piece));
        }
        line_.assign(blankCarried ? 1 : 0, ' ');
        line_.append(text, pos, std::string::npos);
        line_ += ' ';
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
    for (const MessageSection& section : part.sections())
        for (const MessageGroup& group : section.groups()) builder.add(group);
    builder.close();
}

std::vector<std::string> TempMessage::lines() const {
    std::vector<std::string> out;
    for (const MessagePart& p : parts_) layoutPart(p, out);
    return out;
}

void TempMessage::write(std::ostream& out, bool appendNNNN) const {
    for (const std::string& line : lines()) {
        const auto end = line.find_last_not_of(' ');
        if (end != std::string::npos) out.write(line.data(), static_cast<std::streamsize>(end + 1));
        out << "\r\n";
    }
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
