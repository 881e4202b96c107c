#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelFixture.h"
#include "wmo/MessageCoder.h"
#include "wmo/Remarks.h"

namespace velta {
namespace {

using namespace velta::test;

TEST(MessageCoderTest, EveryDataGroupHasFiveCharacters) {
    // Ordinary and absurd values alike.
    const std::vector<Level> levels = sorted({
        makeLevel(LevelType::SurfaceThermodynamic,
                  {{V::Pres, 1013.4}, {V::Tdry, 150}, {V::RH, 0}, {V::Time, 900}}),
        makeLevel(LevelType::SurfaceWinds, {{V::Pres, 1013.4}, {V::Wspd, 600}, {V::Wdir, 400}}),
        withWind(standardLevel(1000, -600, -0.04, 100), 0.2, 0),
        withWind(standardLevel(850, 1e9, -99.96, 1e6), 899, -10),
        withWind(standardLevel(100, 16500, -80, 1), 50, 358),
        withWind(standardLevel(7, 33000, -50, 1), 60, 90),
        makeLevel(LevelType::Tropopause, {{V::Pres, 0.05}, {V::Tdry, -60}}),
        makeLevel(LevelType::MaximumWind, {{V::Pres, 250}, {V::Wspd, 300}, {V::Wdir, 273}}),
        makeLevel(LevelType::WindShearBelow, {{V::Pres, 280}, {V::Wspd, 0}, {V::Wdir, 0}}),
        makeLevel(LevelType::GdlRH, {{V::Pres, 3000}, {V::Tdry, 5}, {V::RH, -5}}),
        makeLevel(LevelType::GdlWindSpeed, {{V::Pres, 99.99}, {V::Wspd, 1e30}, {V::Wdir, 5}}),
        makeLevel(LevelType::GdlWindDirection, {{V::Wspd, 3}, {V::Wdir, 5}}),
        makeLevel(LevelType::ExtrapolatedAltitude, {{V::Pres, 99.7}, {V::Alt, 1e12}}),
        makeLevel(LevelType::ExtrapolatedAltitude, {{V::Pres, 1000}}),
    });
    SoundingHeader h = dropHeader();
    h.radiationcorr = "";
    h.sondetype = "123";
    TempMessage m = codeDropMessage(levels, h, false);
    RemarkEntries e;
    e.lastReport = true;
    applyRemarkEntries(m, levels, h, e, 0, "2.6.1");
    ASSERT_EQ(m.parts().size(), 4u);
    for (const MessagePart& part : m.parts()) {
        for (const MessageSection& section : part.sections()) {
            if (section.order() == SectionOrder::Heading || section.order() == SectionOrder::Remarks ||
                section.order() == SectionOrder::Terminator)
                continue;
            for (std::size_t i = 0; i < section.groups().size(); ++i) {
                const std::string& text = section.groups()[i].text();
                const bool identifier = section.order() == SectionOrder::Identification && i == 0;
                EXPECT_EQ(text.size(), identifier ? 4u : 5u)
                    << "part " << part.index() << " section " << static_cast<int>(section.order()) << ": "
                    << text;
            }
        }
    }
    EXPECT_EQ(m.groupCount(), [&] {
        int n = 0;
        for (const MessagePart& p : m.parts())
            for (const MessageSection& s : p.sections()) n += static_cast<int>(s.groups().size());
        return n;
    }());
}

SoundingHeader stationHeader() {
    SoundingHeader h = dropHeader();
    h.ascending = true;
    h.callSign = "KAWN";
    h.stationNumber = "72201";
    h.launchAltitude = 12.4;
    h.launchAltitudeValid = true;
    return h;
}

TEST(MessageCoderTest, AscendingTempByMessageType) {
    // No wind anywhere: YY still carries the 50 of winds in knots.
    const std::vector<Level> levels = {standardLevel(1000, 60, 27, 100), standardLevel(70, 18600, -60, 5)};
    struct Case {
        int type;
        std::vector<std::string> identification;
    };
    const Case cases[] = {
        {0, {"TTAA", "7818/", "72201"}},
        {1, {"UUAA", "KAWN", "7818/", "99253", "70756", "08055"}},
        {2, {"IIAA", "KAWN", "7818/", "99253", "70756", "08055", "00121"}},
        {7, {"TTAA", "7818/", "72201"}},
    };
    for (const Case& c : cases) {
        AscendingMessageOptions options;
        options.messageType = c.type;
        options.icao = "KWBC";
        options.codingTime = calendarTime(2005, 8, 28, 19, 2, 0);
        const TempMessage m = codeAscendingMessage(sorted(levels), stationHeader(), options);
        ASSERT_EQ(m.parts().size(), 4u);
        EXPECT_EQ(groupTexts(m, 0, SectionOrder::Identification), c.identification) << c.type;
        EXPECT_EQ(groupTexts(m, 0, SectionOrder::Heading), (std::vector<std::string>{"UZNT13 KWBC 281902"}));
        for (int part = 0; part < 4; ++part) {
            const MessagePart& p = *m.findPart(part);
            EXPECT_EQ(p.findSection(SectionOrder::Regional51515), nullptr);
            EXPECT_EQ(p.findSection(SectionOrder::Remarks), nullptr);
            EXPECT_EQ(groupTexts(m, part, SectionOrder::Terminator), (std::vector<std::string>{"="}));
        }
    }
    SoundingHeader unknownElevation = stationHeader();
    unknownElevation.launchAltitudeValid = false;
    AscendingMessageOptions options;
    options.messageType = 2;
    options.excludeAbbreviatedHeading = true;
    const TempMessage m = codeAscendingMessage(sorted(levels), unknownElevation, options);
    EXPECT_EQ(groupTexts(m, 0, SectionOrder::Identification).back(), "00004");
    EXPECT_EQ(m.findPart(0)->findSection(SectionOrder::Heading), nullptr);
    EXPECT_EQ(groupTexts(m, 1, SectionOrder::Identification)[2], "7818/");
}

}  // namespace
}  // namespace velta
