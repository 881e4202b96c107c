#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "wmo/TempMessage.h"

namespace velta {
namespace {

MessageSection sectionOf(SectionOrder order, const std::vector<std::string>& texts,
                         bool firstStartsLine = false) {
    MessageSection s(order, 0);
    for (std::size_t i = 0; i < texts.size(); ++i) s.add(texts[i], firstStartsLine && i == 0);
    return s;
}

TEST(TempMessageTest, GroupEditAndRestore) {
    MessageGroup g("12345", true);
    EXPECT_FALSE(g.modified());
    g.setText(" 12345  ");  // blanks around the same figures are no change
    EXPECT_FALSE(g.modified());
    EXPECT_EQ(g.text(), " 12345  ");
    g.setText("12346");
    EXPECT_TRUE(g.modified());
    EXPECT_EQ(g.codedText(), "12345");
    g.restore();
    EXPECT_EQ(g.text(), "12345");
    EXPECT_FALSE(g.modified());
    EXPECT_TRUE(g.startsLine());
}

TEST(TempMessageTest, SectionsKeepOrderWhateverTheConstructionOrder) {
    MessagePart part(0);
    part.addSection(sectionOf(SectionOrder::Terminator, {"="}));
    part.addSection(sectionOf(SectionOrder::Group31313, {"31313"}));
    part.addSection(sectionOf(SectionOrder::Identification, {"XXAA"}));
    part.addSection(sectionOf(SectionOrder::Group31313, {"second"}));  // equal orders: insertion order
    part.addSection(sectionOf(SectionOrder::Heading, {"UZNT13"}));
    std::vector<std::string> firsts;
    for (const MessageSection& s : part.sections()) firsts.push_back(s.groups().front().text());
    EXPECT_EQ(firsts, (std::vector<std::string>{"UZNT13", "XXAA", "31313", "second", "="}));
    EXPECT_EQ(part.findSection(SectionOrder::Group31313)->groups().front().text(), "31313");
    EXPECT_EQ(part.findSection(SectionOrder::Remarks), nullptr);
}

TEST(TempMessageTest, ElevenGroupsALineAndLineStarts) {
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    std::vector<std::string> texts;
    for (int i = 0; i < 13; ++i) texts.push_back("1111" + std::to_string(i % 10));
    a.addSection(sectionOf(SectionOrder::StandardLevels, texts));
    a.addSection(sectionOf(SectionOrder::Group31313, {"31313", "0////"}, true));
    a.addSection(sectionOf(SectionOrder::Terminator, {"="}));
    MessagePart& b = m.addPart(MessagePart(1));
    b.addSection(sectionOf(SectionOrder::Identification, {"XXBB", "57101"}, true));

    const std::vector<std::string> lines = m.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "11110 11111 11112 11113 11114 11115 11116 11117 11118 11119 11110");
    EXPECT_EQ(lines[1], "11111 11112");
    EXPECT_EQ(lines[2], "31313 0//// =");
    EXPECT_EQ(lines[3], "XXBB  57101");  // every part starts a line, two blanks after its identifier
    EXPECT_EQ(m.groupCount(), 18);
}

TEST(TempMessageTest, LongGroupsAreCutInto65CharacterLines) {
    struct Case {
        std::size_t length;
        std::vector<std::size_t> lineLengths;  // before the terminator joins the last one
    };
    // Up to 64 characters a remark is an ordinary group; beyond, it is wrapped
    // hard at column 65 and its last piece opens the next line.
    const Case cases[] = {{64, {64}}, {65, {65}}, {66, {65, 1}}, {130, {65, 65}}, {140, {65, 65, 10}}};
    for (const Case& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('A' + i % 26);
        TempMessage m;
        MessagePart& a = m.addPart(MessagePart(0));
        a.addSection(sectionOf(SectionOrder::Group31313, {"31313"}, true));
        a.addSection(sectionOf(SectionOrder::Remarks, {text}, true));
        const std::vector<std::string> lines = m.lines();
        ASSERT_EQ(lines.size(), c.lineLengths.size() + 1) << c.length;
        std::string joined;
        for (std::size_t i = 0; i < c.lineLengths.size(); ++i) {
            EXPECT_EQ(lines[i + 1].size(), c.lineLengths[i]) << c.length << " line " << i;
            joined += lines[i + 1];
        }
        EXPECT_EQ(joined, text) << "nothing lost or added";
    }
}

TEST(TempMessageTest, WrapAtABlankKeepsItInColumn65) {
    // The continuation starts in column 1 whatever the character; a blank in
    // the 65th column stays at the end of its line.
    const std::string text = std::string(64, 'A') + " " + "KEV 30104";
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    a.addSection(sectionOf(SectionOrder::Remarks, {text}, true));
    a.addSection(sectionOf(SectionOrder::Terminator, {"="}));
    EXPECT_EQ(m.text(false), std::string(64, 'A') + " \r\nKEV 30104 =\r\n");
}

TEST(TempMessageTest, NoLineOutgrows65Columns) {
    // A full last piece leaves no room for the terminator, nor a full line of
    // groups for a longer one: they start the next line.
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    a.addSection(sectionOf(SectionOrder::StandardLevels, {"11111", "22222", "33333", "44444", "55555", "66666",
                                                          "77777", "88888", "99999", "00000", "123456"}));
    a.addSection(sectionOf(SectionOrder::Remarks, {std::string(130, 'R')}, true));
    a.addSection(sectionOf(SectionOrder::Terminator, {"="}));
    EXPECT_EQ(m.lines(), (std::vector<std::string>{"11111 22222 33333 44444 55555 66666 77777 88888 99999 00000",
                                                   "123456", std::string(65, 'R'), std::string(65, 'R'), "="}));
}

TEST(TempMessageTest, LongGroupLeavesAnOpenLineCountingOne) {
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    std::vector<std::string> texts = {std::string(70, 'R')};
    for (int i = 0; i < 11; ++i) texts.push_back("22222");
    a.addSection(sectionOf(SectionOrder::Remarks, texts));
    const std::vector<std::string> lines = m.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "RRRRR 22222 22222 22222 22222 22222 22222 22222 22222 22222 22222");
    EXPECT_EQ(lines[2], "22222");
}

TEST(TempMessageTest, WriteStripsTrailingBlanksAndEndsLinesWithCrLf) {
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    a.addSection(sectionOf(SectionOrder::Heading, {"UZNT13 KNHC 281800  "}, true));
    a.addSection(sectionOf(SectionOrder::Identification, {"XXAA", "78184"}, true));
    a.addSection(sectionOf(SectionOrder::Terminator, {"="}));
    EXPECT_EQ(m.text(false), "UZNT13 KNHC 281800\r\nXXAA  78184 =\r\n");
    EXPECT_EQ(m.text(true), "UZNT13 KNHC 281800\r\nXXAA  78184 =\r\nNNNN");
    EXPECT_EQ(TempMessage().text(true), "NNNN");
}

TEST(TempMessageTest, PagesOf48Lines) {
    TempMessage m;
    MessagePart& a = m.addPart(MessagePart(0));
    MessageSection s(SectionOrder::StandardLevels, 0);
    for (int i = 0; i < 100; ++i) s.add("33333", true);
    a.addSection(std::move(s));
    const std::vector<MessagePage> pages = m.pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].title, "WMO Message");
    EXPECT_EQ(pages[0].lines.size(), 48u);
    EXPECT_EQ(pages[1].lines.size(), 48u);
    EXPECT_EQ(pages[2].lines.size(), 4u);
    EXPECT_TRUE(TempMessage().pages().empty());
}

}  // namespace
}  // namespace velta
