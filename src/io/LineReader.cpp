#include "io/LineReader.h"

#include <cstdint>
#include <cstring>

namespace velta {

LineReader::LineReader(std::string_view text)
    : data_(std::make_unique_for_overwrite<char[]>(text.size())), size_(text.size()) {
    if (size_ > 0) std::memcpy(data_.get(), text.data(), size_);
}

LineReader LineReader::fromStream(std::istream& in) {
    LineReader lines("");
    fromStream(in, static_cast<std::size_t>(-1) - 1, lines);
    return lines;
}

bool LineReader::fromStream(std::istream& in, std::size_t maxBytes, LineReader& out) {
    // Reads the rest of the stream in chunks, stopping past maxBytes.
    auto readRest = [&in, maxBytes](std::string& text) {
        char chunk[1 << 16];
        while (text.size() <= maxBytes && (in.read(chunk, sizeof chunk), in.gcount() > 0))
            text.append(chunk, static_cast<std::size_t>(in.gcount()));
        return text.size() <= maxBytes;
    };
    // When the stream can tell its remaining size, read it in one piece.
    std::streambuf* buffer = in.rdbuf();
    if (buffer != nullptr) {
        const auto here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
        const auto end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
        if (here != std::streampos(-1) && end != std::streampos(-1)) buffer->pubseekpos(here, std::ios::in);
        if (here != std::streampos(-1) && end != std::streampos(-1) && end >= here) {
            const auto expected = static_cast<std::size_t>(end - here);
            if (expected > maxBytes) return false;
            auto data = std::make_unique_for_overwrite<char[]>(expected);
            const auto got = buffer->sgetn(data.get(), static_cast<std::streamsize>(expected));
            const std::size_t size = got > 0 ? static_cast<std::size_t>(got) : 0;
            if (size == expected && buffer->sgetc() == std::char_traits<char>::eof()) {
                in.setstate(std::ios::eofbit);
                out = LineReader(std::move(data), size);
                return true;
            }
            // The stream had more (or less) than it said: read the rest in chunks.
            std::string text(data.get(), size);
            if (!readRest(text)) return false;
            out = LineReader(text);
            return true;
        }
    }
    std::string text;
    if (!readRest(text)) return false;
    out = LineReader(text);
    return true;
}

namespace {

// True when one of the eight bytes is not printable ASCII (below 0x20, 0x7f,
// or above).
inline bool hasSpecialByte(std::uint64_t w) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    const std::uint64_t below20 = (w - ones * 0x20) & ~w & highs;
    const std::uint64_t is7f = ((w & ~highs) + ones) & highs;
    return ((below20 | is7f | w) & highs) != 0;
}

}  // namespace

bool LineReader::next(std::string_view& line) {
    if (pos_ >= size_) return false;
    char* const data = data_.get();
    const std::size_t start = pos_;
    std::size_t i = start;
    for (;;) {
        while (i + 8 <= size_) {
            std::uint64_t w;
            std::memcpy(&w, data + i, 8);
            if (hasSpecialByte(w)) break;
            i += 8;
        }
        // Byte by byte through a word with a special byte, or the tail.
        const std::size_t stop = i + 8 < size_ ? i + 8 : size_;
        bool lineEnd = false;
        for (; i < stop; ++i) {
            const unsigned char c = static_cast<unsigned char>(data[i]);
            if (c >= 0x20 && c < 0x7f) continue;
            if (c == '\n' || c == '\r') {
                lineEnd = true;
                break;
            }
            data[i] = ' ';
        }
        if (lineEnd || i >= size_) break;
    }
    line = std::string_view(data + start, i - start);
    if (i < size_ && data[i] == '\r' && i + 1 < size_ && data[i + 1] == '\n') ++i;
    pos_ = i < size_ ? i + 1 : size_;
    return true;
}

}  // namespace velta
