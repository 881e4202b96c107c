#include "io/SoundingReader.h"

namespace velta {

void SoundingReader::setDropsondeCodes() {
    // Assigned as whole strings: GCC 12 warns falsely (-Wrestrict) about
    // assigning short literals to existing strings.
    raw_.trackingtype = std::string("08");
    raw_.radiationcorr = std::string("0");
    raw_.equipmenttype = std::string("8");
    raw_.sondetype = std::string("96");
}

}  // namespace velta
