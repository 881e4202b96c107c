// One part (A, B, C or D) of a TEMP message: its sections, kept in order.
#pragma once

#include <vector>

#include "wmo/MessageSection.h"

namespace velta {

class MessagePart {
public:
    // 0, 1, 2, 3 for parts A, B, C, D.
    explicit MessagePart(int index) : index_(index) {}

    int index() const { return index_; }
    const std::vector<MessageSection>& sections() const { return sections_; }
    std::vector<MessageSection>& sections() { return sections_; }

    // Inserts before the first section of a higher order, so sections stand
    // in order and those of equal order in the order they were added.
    MessageSection& addSection(MessageSection section);

    // The first section of that order, or null.
    const MessageSection* findSection(SectionOrder order) const;
    MessageSection* findSection(SectionOrder order);

    int groupCount() const;

private:
    int index_;
    std::vector<MessageSection> sections_;
};

}  // namespace velta
