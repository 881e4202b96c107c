#include "io/LineReader.h"

namespace velta {

LineReader LineReader::fromStream(std::istream& in) {
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk), in.gcount() > 0) text.append(chunk, static_cast<std::size_t>(in.gcount()));
    return LineReader(std::move(text));
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    char* const data = text_.data();
    const std::size_t size = text_.size();
    const std::size_t start = pos_;
    std::size_t i = start;
    for (; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 && c < 0x7f) continue;
        if (c == '\n' || c == '\r') break;
        data[i] = ' ';
    }
    line = std::string_view(data + start, i - start);
    if (i < size && data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    pos_ = i < size ? i + 1 : size;
    return true;
}

}  // namespace velta
