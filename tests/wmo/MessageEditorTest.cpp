#include <gtest/gtest.h>

#include "MessageFixture.h"
#include "wmo/MessageEditor.h"

namespace velta {
namespace {

// Part A, identification section, group n.
GroupRef identA(std::size_t n) { return GroupRef{0, 1, n}; }

TEST(MessageEditorTest, CommandsAndCounters) {
    TempMessage message = test::smallMessage();
    MessageEditor editor(message);
    EXPECT_EQ(editor.originalGroupsText(), "original groups:13");
    EXPECT_EQ(editor.changedGroupsText(), "modified groups:0");

    // Modify keeps the line start; restore clears the change.
    ASSERT_TRUE(editor.modify(identA(0), "XXCC"));
    EXPECT_TRUE(editor.group(identA(0))->modified());
    EXPECT_TRUE(editor.group(identA(0))->startsLine());
    EXPECT_EQ(editor.changedGroups(), 1);
    ASSERT_TRUE(editor.restore(identA(0)));
    EXPECT_EQ(editor.group(identA(0))->text(), "XXAA");
    EXPECT_EQ(editor.changedGroups(), 0);

    // Inserting counts as a change; deleting the inserted group takes it back.
    GroupRef added;
    ASSERT_TRUE(editor.insertAfter(identA(1), "51515", &added));
    EXPECT_EQ(added, identA(2));
    const MessageGroup* g = editor.group(added);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->text(), "51515");
    EXPECT_EQ(g->mark(), InsertedGroupMark);
    EXPECT_FALSE(g->startsLine());
    EXPECT_EQ(editor.group(identA(3))->text(), "99215");
    EXPECT_EQ(editor.changedGroups(), 1);
    ASSERT_TRUE(editor.remove(added));
    EXPECT_EQ(editor.deletedGroups(), 0);
    EXPECT_EQ(editor.changedGroups(), 0);

    // Deleting a coded group counts, and stays counted.
    ASSERT_TRUE(editor.remove(identA(4)));
    EXPECT_EQ(editor.deletedGroups(), 1);
    ASSERT_TRUE(editor.insertBefore(identA(0), "ZZZZ"));
    EXPECT_EQ(editor.group(identA(0))->text(), "ZZZZ");
    EXPECT_EQ(editor.group(identA(1))->text(), "XXAA");
    EXPECT_EQ(editor.changedGroupsText(), "modified groups:2");
    EXPECT_EQ(message.groupCount(), 13);
    // A group inserted before a line start ends the line before it.
    EXPECT_EQ(message.lines()[0], "UZNT13 KNHC 271900 ZZZZ");
    EXPECT_EQ(message.lines()[1], "XXAA  77187 99215 70916 =");
}

TEST(MessageEditorTest, ReferencesOutsideTheMessageChangeNothing) {
    TempMessage message = test::smallMessage();
    MessageEditor editor(message);
    for (const GroupRef& ref : {GroupRef{4, 0, 0}, GroupRef{0, 9, 0}, GroupRef{0, 1, 5}}) {
        EXPECT_FALSE(editor.modify(ref, "x"));
        EXPECT_FALSE(editor.restore(ref));
        EXPECT_FALSE(editor.insertBefore(ref, "x"));
        EXPECT_FALSE(editor.insertAfter(ref, "x"));
        EXPECT_FALSE(editor.remove(ref));
        EXPECT_EQ(editor.group(ref), nullptr);
    }
    EXPECT_EQ(message.groupCount(), 13);
    EXPECT_EQ(editor.changedGroups(), 0);
}

TEST(MessageEditorTest, ANewRunStartsWithoutDeletedGroups) {
    TempMessage first = test::smallMessage();
    MessageEditor editor(first, 13);
    editor.remove(identA(0));
    editor.remove(identA(0));
    EXPECT_EQ(editor.changedGroups(), 2);

    TempMessage recoded = test::smallMessage();
    editor = MessageEditor(recoded, recoded.groupCount());
    EXPECT_EQ(editor.deletedGroups(), 0);
    EXPECT_EQ(editor.changedGroupsText(), "modified groups:0");
}

TEST(MessageEditorTest, PrintPagesStartWithTheCounts) {
    TempMessage message = test::smallMessage();
    MessageEditor editor(message);
    editor.modify(identA(1), "77777");
    const auto pages = editor.printPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].title, "WMO Message");
    ASSERT_EQ(pages[0].lines.size(), 2u + message.lines().size());
    EXPECT_EQ(pages[0].lines[0], "13 orginal groups in message; 1 groups were deleted, inserted or modified");
    EXPECT_EQ(pages[0].lines[1], "     ");
    EXPECT_EQ(pages[0].lines[2], "UZNT13 KNHC 271900");
}

}  // namespace
}  // namespace velta
