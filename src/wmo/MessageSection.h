// A run of groups of one kind within a message part. The order number fixes
// where the section stands in its part whatever the order of construction.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "wmo/MessageGroup.h"

namespace velta {

enum class SectionOrder : int {
    Heading = 0,
    Identification = 1,
    StandardLevels = 2,  // surface and standard isobaric surfaces
    Tropopause = 3,      // 88
    MaximumWind = 4,     // 77/66
    SignificantTemperature = 5,
    SignificantWind = 6,  // 21212
    Group31313 = 7,
    Regional51515 = 9,
    Remarks = 10,  // 61616 and 62626
    Terminator = 100,
};

class MessageSection {
public:
    MessageSection(SectionOrder order, int partIndex) : order_(order), partIndex_(partIndex) {}

    SectionOrder order() const { return order_; }
    int partIndex() const { return partIndex_; }

    const std::vector<MessageGroup>& groups() const { return groups_; }
    std::vector<MessageGroup>& groups() { return groups_; }
    void add(MessageGroup group) { groups_.push_back(std::move(group)); }
    // Adds a freshly coded group.
    void add(std::string text, bool startsLine = false) { groups_.emplace_back(std::move(text), startsLine); }
    bool empty() const { return groups_.empty(); }

private:
    SectionOrder order_;
    int partIndex_;
    std::vector<MessageGroup> groups_;
};

}  // namespace velta
