// A small coded message for the editing, saving and sending tests: part A
// with a heading, an identification line and the terminator, and part B.
#pragma once

#include <string>
#include <vector>

#include "wmo/TempMessage.h"

namespace velta::test {

inline MessageSection sectionWith(SectionOrder order, int part, const std::vector<std::string>& texts,
                                  bool firstStartsLine) {
    MessageSection s(order, part);
    for (std::size_t i = 0; i < texts.size(); ++i) s.add(texts[i], firstStartsLine && i == 0);
    return s;
}

// Part A: "UZNT13 KNHC 271900", "XXAA 77187 99215 70916 08132", "=";
// part B: "XXBB 77188 99215", "=". Thirteen groups.
inline TempMessage smallMessage() {
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    a.addSection(sectionWith(SectionOrder::Heading, 0, {"UZNT13", "KNHC", "271900"}, true));
    a.addSection(sectionWith(SectionOrder::Identification, 0, {"XXAA", "77187", "99215", "70916", "08132"}, true));
    a.addSection(sectionWith(SectionOrder::Terminator, 0, {"="}, false));
    MessagePart& b = m.addPart(MessagePart(1));
    b.addSection(sectionWith(SectionOrder::Identification, 1, {"XXBB", "77188", "99215"}, true));
    b.addSection(sectionWith(SectionOrder::Terminator, 1, {"="}, false));
    return m;
}

}  // namespace velta::test
