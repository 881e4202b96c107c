// The lines of a sounding file, held in memory. Lines may end in CR LF, LF or
// CR alone, may be of any length, and a final line needs no line end. Every
// other control character and every byte outside printable ASCII reads as a
// blank, so that the readers see plain text.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace velta {

class LineReader {
public:
    explicit LineReader(std::string_view text);

    // Everything from the stream's current position to its end.
    static LineReader fromStream(std::istream& in);
    // The same, but false (out untouched) when the stream holds more than
    // maxBytes; no more than maxBytes + 1 bytes are read.
    static bool fromStream(std::istream& in, std::size_t maxBytes, LineReader& out);

    // The next line without its line end; false when no line is left. The
    // view stays valid as long as this reader.
    bool next(std::string_view& line);

    // Where the next line starts, to come back to it with seek().
    std::size_t position() const { return pos_; }
    void seek(std::size_t position) { pos_ = position < size_ ? position : size_; }

    bool atEnd() const { return pos_ >= size_; }

private:
    LineReader(std::unique_ptr<char[]> data, std::size_t size) : data_(std::move(data)), size_(size) {}

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
};

}  // namespace velta
