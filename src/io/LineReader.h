// The lines of a sounding file, held in memory. Lines may end in CR LF, LF or
// CR alone, may be of any length, and a final line needs no line end. Every
// other control character and every byte outside printable ASCII reads as a
// blank, so that the readers see plain text.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace velta {

class LineReader {
public:
    explicit LineReader(std::string text) : text_(std::move(text)) {}

    // Everything from the stream's current position to its end.
    static LineReader fromStream(std::istream& in);

    // The next line without its line end; false when no line is left. The
    // view stays valid as long as this reader.
    bool next(std::string_view& line);

    // Where the next line starts, to come back to it with seek().
    std::size_t position() const { return pos_; }
    void seek(std::size_t position) { pos_ = position < text_.size() ? position : text_.size(); }

    bool atEnd() const { return pos_ >= text_.size(); }

private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace velta
