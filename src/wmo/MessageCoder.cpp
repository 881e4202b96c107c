#include "wmo/MessageCoder.h"

#include "wmo/Heading.h"
#include "wmo/IdentificationSection.h"
#include "wmo/PartAC.h"
#include "wmo/PartBD.h"

namespace velta {

namespace {

// The data sections of one part, the same in both kinds of message.
void addDataSections(MessagePart& part, const std::vector<Level>& levels, const SoundingHeader& header) {
    const int index = part.index();
    if (index == 0 || index == 2) {
        part.addSection(standardLevelsSection(levels, index));
        part.addSection(tropopauseSection(levels, index));
        part.addSection(maximumWindSection(levels, index));
    } else {
        part.addSection(significantTemperatureSection(levels, index));
        part.addSection(significantWindSection(levels, index));
    }
    part.addSection(section31313(header, index));
}

MessageSection terminator(int partIndex) {
    MessageSection section(SectionOrder::Terminator, partIndex);
    section.add("=");
    return section;
}

MessageSection headingSection(std::string text) {
    MessageSection section(SectionOrder::Heading, 0);
    section.add(std::move(text), true);
    return section;
}

int partCount(const std::vector<Level>& levels) { return needsUpperParts(levels) ? 4 : 2; }

}  // namespace

bool needsUpperParts(const std::vector<Level>& levels) {
    double lowest = 100.0;
    for (const Level& level : levels)
        if (const auto p = level.value(LevelValue::Pres); p && *p < lowest) lowest = *p;
    return lowest < 100.0;
}

TempMessage codeDropMessage(const std::vector<Level>& levels, const SoundingHeader& header,
                            bool excludeAbbreviatedHeading) {
    TempMessage message;
    const int parts = partCount(levels);
    for (int index = 0; index < parts; ++index) {
        MessagePart& part = message.addPart(MessagePart(index));
        if (index == 0 && !excludeAbbreviatedHeading) part.addSection(headingSection(placeholderHeading()));
        part.addSection(dropIdentification(levels, header, index));
        addDataSections(part, levels, header);
        part.addSection(section51515(levels, index));
        MessageSection remarks(SectionOrder::Remarks, index);
        remarks.add("61616", true);
        part.addSection(std::move(remarks));
        part.addSection(terminator(index));
    }
    return message;
}

TempMessage codeAscendingMessage(const std::vector<Level>& levels, const SoundingHeader& header,
                                 const AscendingMessageOptions& options) {
    static const char* const typeLetters[] = {"TT", "UU", "II"};
    const std::string letters =
        options.messageType >= 0 && options.messageType <= 2 ? typeLetters[options.messageType] : "TT";
    TempMessage message;
    const int parts = partCount(levels);
    for (int index = 0; index < parts; ++index) {
        MessagePart& part = message.addPart(MessagePart(index));
        if (index == 0 && !options.excludeAbbreviatedHeading)
            part.addSection(headingSection(abbreviatedHeading(basinCode(header), options.headerOverride,
                                                              options.icao, options.codingTime, 0)));
        part.addSection(ascendingIdentification(levels, header, index, letters));
        addDataSections(part, levels, header);
        part.addSection(terminator(index));
    }
    return message;
}

}  // namespace velta
