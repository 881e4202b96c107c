#include "wmo/MessagePart.h"

#include <algorithm>

namespace velta {

MessageSection& MessagePart::addSection(MessageSection section) {
    const auto at = std::find_if(sections_.begin(), sections_.end(), [&](const MessageSection& s) {
        return static_cast<int>(s.order()) > static_cast<int>(section.order());
    });
    return *sections_.insert(at, std::move(section));
}

const MessageSection* MessagePart::findSection(SectionOrder order) const {
    for (const MessageSection& s : sections_)
        if (s.order() == order) return &s;
    return nullptr;
}

MessageSection* MessagePart::findSection(SectionOrder order) {
    for (MessageSection& s : sections_)
        if (s.order() == order) return &s;
    return nullptr;
}

int MessagePart::groupCount() const {
    int n = 0;
    for (const MessageSection& s : sections_) n += static_cast<int>(s.groups().size());
    return n;
}

}  // namespace velta
