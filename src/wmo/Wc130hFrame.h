// The character stream of the WC130H link to ARWO: SOH, the message lines
// (trailing blanks removed) each ended by LF CR, the line ";" with two LF CR,
// a checksum byte and EOT.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velta {

inline constexpr char Soh = 0x01;
inline constexpr char Eot = 0x04;

// The sum of the bytes modulo 256, masked with 0x7F, plus 127.
unsigned char wc130hChecksum(std::string_view framedLines);

// The whole stream to write for the message lines.
std::string wc130hFrame(const std::vector<std::string>& lines);

}  // namespace velta
