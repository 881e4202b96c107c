#include "wmo/RemarkEntryCheck.h"

namespace velta {

bool validIcao(std::string_view icao) {
    if (icao.size() != RemarkEntries::IcaoLength) return false;
    for (char c : icao)
        if (c < 'A' || c > 'Z') return false;
    return true;
}

bool validRemarkText(std::string_view text, std::size_t width) {
    if (text.size() > width) return false;
    for (char c : text)
        if (c < 0x20 || c > 0x7e) return false;
    return true;
}

}  // namespace velta
