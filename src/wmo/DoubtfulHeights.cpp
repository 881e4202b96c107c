#include "wmo/DoubtfulHeights.h"

#include "wmo/CodeFigures.h"
#include "wmo/LevelGroups.h"
#include "wmo/PartBD.h"

namespace velta {

namespace {

bool is(const std::vector<MessageGroup>& groups, std::size_t i, const char* text) {
    return i < groups.size() && groups[i].text() == text;
}

void switchOn(MessageSection& section, const std::string& pressures) {
    std::vector<MessageGroup>& groups = section.groups();
    if (groups.empty()) {
        groups.emplace_back("51515", true);
        groups.emplace_back("10166");
        groups.emplace_back(pressures);
        return;
    }
    if (!is(groups, 0, "51515")) groups.insert(groups.begin(), MessageGroup("51515", true));
    if (groups.size() > 1 && is(groups, 1, "10166")) {
        // Already on: the pressures are replaced.
        if (groups.size() > 2)
            groups[2] = MessageGroup(pressures);
        else
            groups.emplace_back(pressures);
    } else {
        groups.insert(groups.begin() + 1, {MessageGroup("10166"), MessageGroup(pressures)});
    }
}

void switchOff(MessageSection& section) {
    std::vector<MessageGroup>& groups = section.groups();
    if (groups.size() > 1 && is(groups, 0, "51515") && is(groups, 1, "10166")) {
        groups.erase(groups.begin() + 1);
        if (groups.size() > 1) groups.erase(groups.begin() + 1);
        if (groups.size() == 1) groups.clear();
    }
}

}  // namespace

std::string doubtfulHeightsGroup(const std::vector<Level>& levels) {
    const std::vector<Level> standard = selectType(levels, LevelType::Standard, standardRange(0), true);
    if (standard.empty()) return "0////";
    const auto bottom = standard.back().value(LevelValue::Pres);
    const auto top = standard.front().value(LevelValue::Pres);
    std::string group = "0";
    group += bottom ? codeTwoFigurePressure(*bottom) : "//";
    group += top ? codeTwoFigurePressure(*top) : "//";
    return group;
}

void setDoubtfulHeights(TempMessage& message, const std::vector<Level>& levels, bool on) {
    const std::string pressures = doubtfulHeightsGroup(levels);
    for (int index : {0, 1}) {
        MessagePart* part = message.findPart(index);
        if (!part) continue;
        MessageSection* section = part->findSection(SectionOrder::Regional51515);
        if (!on) {
            if (section) switchOff(*section);
            continue;
        }
        if (!section) section = &part->addSection(section51515(levels, index));
        switchOn(*section, pressures);
    }
}

}  // namespace velta
