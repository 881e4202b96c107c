#include "wmo/Wc130hFrame.h"

namespace velta {

unsigned char wc130hChecksum(std::string_view framedLines) {
    unsigned sum = 0;
    for (unsigned char c : framedLines) sum += c;
    return static_cast<unsigned char>((sum % 256u & 0x7Fu) + 127u);
}

std::string wc130hFrame(const std::vector<std::string>& lines) {
    std::string body;
    for (const std::string& line : lines) {
        const auto end = line.find_last_not_of(' ');
        if (end != std::string::npos) body.append(line, 0, end + 1);
        body += "\n\r";
    }
    body += ";\n\r\n\r";
    std::string stream(1, Soh);
    stream += body;
    stream += static_cast<char>(wc130hChecksum(body));
    stream += Eot;
    return stream;
}

}  // namespace velta
