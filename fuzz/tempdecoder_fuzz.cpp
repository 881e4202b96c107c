// Any bytes as a message file: the decoder reads what it can, reports the
// rest where it stands, and never crashes or hangs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "wmo/TempDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velta::DecodeResult result = velta::decodeTempMessages(text);
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n' || c == '\r';
    for (const velta::DecodeProblem& p : result.problems)
        if (p.line < 1 || static_cast<std::size_t>(p.line) > lines || p.column < 1 ||
            static_cast<std::size_t>(p.column) > size)
            std::abort();
    volatile double sink = 0.0;
    for (const velta::DecodedMessage& m : result.messages) {
        if (m.parts.empty() || m.groupCount() < static_cast<int>(m.parts.size())) std::abort();
        for (const velta::DecodedLevel& l : m.levels) {
            if (l.part < 0 || l.part > 3) std::abort();
            sink = sink + l.pressure.value_or(0) + l.height.value_or(0) + l.temperature.value_or(0) +
                   l.dewPoint().value_or(0) + l.direction.value_or(0) + l.speed.value_or(0);
        }
        for (const velta::DecodedPart& p : m.parts)
            if (p.remarks) sink = sink + static_cast<double>(p.remarks->text.size() + p.remarks->other.size());
    }
    (void)sink;
    return 0;
}
