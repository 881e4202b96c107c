// The operator's work on a sounding is never lost without a question: the
// save / discard / cancel question on close, exit and Recompute, exclusions
// kept over Recompute, undo and redo of group edits and level marks, and the
// editors and override fields that refuse what cannot be.
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <filesystem>

#include "UiFixture.h"
#include "document/KarvoEdDoc.h"
#include "levels/SignificantLevels.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/GroupTextRule.h"
#include "ui/LevelExclusions.h"
#include "ui/LevelsModel.h"
#include "ui/MainPage.h"
#include "ui/ProcessorProducts.h"
#include "ui/TabLevelGrid.h"
#include "ui/TabWMOGrid.h"

namespace velta::test {
namespace {

class UnsavedWorkTest : public UiFixture {
protected:
    CKarvoEdView* open() {
        child_ = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
        if (!child_) return nullptr;
        view_ = child_->view();
        view_->wmoPage()->chooseSavePath = [this](const MessageSaveDialogSettings&) {
            ++saveDialogs_;
            return savePath_;
        };
        return view_;
    }
    // Modifies the first group of the second grid row.
    void editAGroup(const std::string& text = "99999") {
        view_->selectTab(CKarvoEdView::WMOTab);
        view_->wmoPage()->grid()->setCurrentCell(1, 1);
        dialogs_.editAnswers.push_back(text);
        view_->wmoPage()->run(TabWMOGrid::Command::Modify);
    }
    std::string cell(int row, int column) const {
        return view_->wmoPage()->grid()->item(row, column)->text().trimmed().toStdString();
    }
    int standardRow(double pressure) const {
        const SignificantLevels* levels = products::levels(view_->document().processor());
        for (std::size_t i = 0; i < levels->size(); ++i)
            if (levels->levels()[i].type() == LevelType::Standard &&
                levels->levels()[i].value(LevelValue::Pres) == pressure)
                return static_cast<int>(i);
        return -1;
    }
    bool excluded(int row) const {
        return products::levels(view_->document().processor())->levels()[static_cast<std::size_t>(row)].excluded();
    }

    CChildFrame* child_ = nullptr;
    CKarvoEdView* view_ = nullptr;
    std::optional<std::string> savePath_;
    int saveDialogs_ = 0;
};

TEST_F(UnsavedWorkTest, ClosingWithAnEditedMessageAsksSaveDiscardOrCancel) {
    ASSERT_TRUE(open());
    // Nothing edited: no question.
    EXPECT_FALSE(view_->hasUnsavedWork());
    editAGroup();
    ASSERT_TRUE(view_->hasUnsavedWork());

    dialogs_.unsavedAnswers = {UnsavedChoice::Cancel};
    EXPECT_FALSE(child_->close());
    ASSERT_EQ(dialogs_.unsavedQuestions.size(), 1u);
    const std::string& question = dialogs_.unsavedQuestions.front();
    EXPECT_NE(question.find(kSample), std::string::npos) << question;
    EXPECT_NE(question.find("1 edited message group"), std::string::npos) << question;
    EXPECT_EQ(frame_->documentCount(), 1);

    // Save, with the save dialog cancelled, keeps the window too.
    dialogs_.unsavedAnswers = {UnsavedChoice::Save};
    EXPECT_FALSE(child_->close());
    EXPECT_EQ(saveDialogs_, 1);

    // Save to a file: the window closes and the file holds the edit.
    savePath_ = dir_ + "/edited.txt";
    dialogs_.unsavedAnswers = {UnsavedChoice::Save};
    EXPECT_TRUE(child_->close());
    ASSERT_TRUE(std::filesystem::exists(*savePath_));
}

TEST_F(UnsavedWorkTest, SavedWorkAndDiscardCloseWithoutMoreQuestions) {
    ASSERT_TRUE(open());
    editAGroup();
    savePath_ = dir_ + "/saved.txt";
    view_->wmoPage()->save();
    EXPECT_FALSE(view_->hasUnsavedWork());
    // Undo and redo back to the saved message leave nothing unsaved; a new edit does.
    view_->undoStack()->undo();
    view_->undoStack()->redo();
    EXPECT_FALSE(view_->hasUnsavedWork());
    view_->wmoPage()->grid()->setCurrentCell(1, 2);
    view_->wmoPage()->run(TabWMOGrid::Command::Delete);
    EXPECT_TRUE(view_->hasUnsavedWork());
    dialogs_.unsavedAnswers = {UnsavedChoice::Discard};
    EXPECT_TRUE(child_->close());
    EXPECT_EQ(dialogs_.unsavedQuestions.size(), 1u);
}

TEST_F(UnsavedWorkTest, ExitStopsAtTheFirstCancelledSounding) {
    ASSERT_TRUE(open());
    CKarvoEdView* first = view_;
    ASSERT_TRUE(open());
    editAGroup();
    first->selectTab(CKarvoEdView::LevelsTab);
    first->levelsPage()->toggleRows({0});
    dialogs_.unsavedAnswers = {UnsavedChoice::Cancel, UnsavedChoice::Discard};
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(dialogs_.unsavedQuestions.size(), 1u);
    EXPECT_GE(frame_->documentCount(), 1);
    EXPECT_TRUE(frame_->isVisible());
}

TEST_F(UnsavedWorkTest, RecomputeAsksAndKeepsTheExclusionsThatStillApply) {
    ASSERT_TRUE(open());
    SoundingProcessor* processor = view_->document().processor();
    ASSERT_TRUE(products::levels(processor));
    view_->selectTab(CKarvoEdView::LevelsTab);
    const int row = standardRow(850.0);
    ASSERT_GE(row, 0);
    view_->levelsPage()->toggleRows({row});
    editAGroup();
    const int generation = processor->messageGeneration();

    // Cancelled: nothing is processed.
    dialogs_.unsavedAnswers = {UnsavedChoice::Cancel};
    EXPECT_FALSE(view_->recomputeCommand());
    EXPECT_EQ(processor->messageGeneration(), generation);
    EXPECT_EQ(cell(1, 1), "99999");
    const std::string& question = dialogs_.unsavedQuestions.back();
    EXPECT_NE(question.find("1 edited message group and 1 excluded level"), std::string::npos) << question;

    dialogs_.unsavedAnswers = {UnsavedChoice::Discard};
    ASSERT_TRUE(view_->recomputeCommand());
    EXPECT_TRUE(excluded(standardRow(850.0)));
    EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front();
    // The new message leaves the level out, and the carried exclusion is not saved yet.
    EXPECT_NE(products::message(processor)->text(false).find(" 85///"), std::string::npos);
    EXPECT_TRUE(view_->hasUnsavedWork());
    view_->selectTab(CKarvoEdView::LevelsTab);
    EXPECT_EQ(view_->levelsPage()->model().rowColour(standardRow(850.0)), LevelsModel::Excluded);
}

TEST_F(UnsavedWorkTest, AnExclusionWithoutAMatchingLevelIsReported) {
    ASSERT_TRUE(open());
    SignificantLevels* levels = products::levels(view_->document().processor());
    ASSERT_TRUE(levels);
    const int row = standardRow(850.0);
    ASSERT_GE(row, 0);
    const std::vector<ExcludedLevel> wanted = {{LevelType::Standard, 850.4, std::nullopt},
                                               {LevelType::Standard, 777.0, std::nullopt},
                                               {LevelType::Tropopause, 850.0, std::nullopt}};
    const std::vector<ExcludedLevel> lost = reapplyExclusions(*levels, wanted);
    EXPECT_TRUE(levels->levels()[static_cast<std::size_t>(row)].excluded());
    ASSERT_EQ(lost.size(), 2u);
    EXPECT_EQ(describe(lost[0]), "Standard at 777.0 mb");
    EXPECT_EQ(lost[1].type, LevelType::Tropopause);
}

TEST_F(UnsavedWorkTest, UndoAndRedoCoverGroupEditsAndLevelMarks) {
    ASSERT_TRUE(open());
    QAction* undo = frame_->action("undo");
    QAction* redo = frame_->action("redo");
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
    EXPECT_FALSE(undo->isEnabled());

    view_->selectTab(CKarvoEdView::WMOTab);
    const std::string coded = cell(1, 1);
    editAGroup();
    view_->wmoPage()->grid()->setCurrentCell(1, 2);
    const std::string second = cell(1, 2);
    view_->wmoPage()->run(TabWMOGrid::Command::Delete);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(cell(1, 2), second);
    EXPECT_EQ(view_->wmoPage()->editor()->deletedGroups(), 0);
    undo->trigger();
    EXPECT_EQ(cell(1, 1), coded);
    EXPECT_EQ(view_->wmoPage()->changedGroups(), 0);
    redo->trigger();
    EXPECT_EQ(cell(1, 1), "99999");
    redo->trigger();
    EXPECT_EQ(view_->wmoPage()->editor()->deletedGroups(), 1);

    // A level mark, undone from another tab: the Levels tab comes forward and
    // leaving it codes the message again.
    view_->selectTab(CKarvoEdView::LevelsTab);
    const int row = standardRow(850.0);
    view_->levelsPage()->toggleRows({row});
    view_->selectTab(CKarvoEdView::WMOTab);
    ASSERT_NE(products::message(view_->document().processor())->text(false).find(" 85///"), std::string::npos);
    undo->trigger();
    EXPECT_EQ(view_->currentTab(), CKarvoEdView::LevelsTab);
    EXPECT_FALSE(excluded(row));
    view_->selectTab(CKarvoEdView::WMOTab);
    EXPECT_EQ(products::message(view_->document().processor())->text(false).find(" 85///"), std::string::npos);
    redo->trigger();
    EXPECT_TRUE(excluded(row));
    // The group edits belonged to the message coded before: they leave the stack.
    undo->trigger();
    undo->trigger();
    EXPECT_FALSE(excluded(row));
}

TEST_F(UnsavedWorkTest, TheEditorsRefuseWhatTheCodeFormDoesNotAllow) {
    ASSERT_TRUE(open());
    view_->selectTab(CKarvoEdView::WMOTab);
    view_->wmoPage()->grid()->setCurrentCell(1, 1);
    const std::string coded = cell(1, 1);
    // A refused text is explained and offered again; cancelling keeps the group.
    dialogs_.editAnswers = {std::string("12a45")};
    view_->wmoPage()->run(TabWMOGrid::Command::Modify);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("five digits"), std::string::npos) << dialogs_.messages[0];
    EXPECT_EQ(cell(1, 1), coded);
    dialogs_.editAnswers = {std::string("1234"), std::string("12//5")};
    view_->wmoPage()->run(TabWMOGrid::Command::InsertAfter);
    EXPECT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(cell(1, 2), "12//5");

    struct Case {
        SectionOrder section;
        std::size_t index;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {SectionOrder::StandardLevels, 3, "85498", true},   {SectionOrder::StandardLevels, 3, "8549", false},
        {SectionOrder::StandardLevels, 3, "854981", false}, {SectionOrder::StandardLevels, 3, "8549=", false},
        {SectionOrder::Identification, 0, "XXAA", true},    {SectionOrder::Identification, 0, "65188", false},
        {SectionOrder::Identification, 1, "65188", true},   {SectionOrder::Heading, 0, "UZNT13", true},
        {SectionOrder::Heading, 0, "UZ NT", false},         {SectionOrder::Remarks, 2, "TRAIN        OB", true},
        {SectionOrder::Remarks, 2, "SPL 2353N=", false},    {SectionOrder::Terminator, 0, "=", true},
        {SectionOrder::Terminator, 0, "12345", false},      {SectionOrder::SignificantWind, 1, "   ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(groupTextProblem(c.section, c.index, c.text).empty(), c.accepted) << c.text;
}

TEST_F(UnsavedWorkTest, OverridesOutsideThePossibleRangeAreRefusedWithTheRange) {
    ASSERT_TRUE(open());
    MainPage* main = view_->mainPage();
    const int generation = view_->document().processor()->messageGeneration();
    main->overrideField(1)->setText("-5");
    EXPECT_FALSE(view_->recomputeCommand());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("launchPresOverride"), std::string::npos) << dialogs_.messages[0];
    EXPECT_NE(dialogs_.messages[0].find("1 to 1100 mb"), std::string::npos) << dialogs_.messages[0];
    EXPECT_EQ(view_->document().processor()->messageGeneration(), generation);
    EXPECT_EQ(view_->document().configuration().option("launchPresOverride"), nullptr);

    main->overrideField(1)->setText("1012.5");
    main->overrideField(3)->setText("101");
    EXPECT_FALSE(view_->recomputeCommand());
    EXPECT_NE(dialogs_.messages.back().find("0 to 100 %"), std::string::npos) << dialogs_.messages.back();
    main->overrideField(3)->setText("100");
    EXPECT_TRUE(view_->recomputeCommand());
}

TEST_F(UnsavedWorkTest, RecodingForChangedLevelMarksAsksBeforeDroppingGroupEdits) {
    ASSERT_TRUE(open());
    SoundingProcessor* processor = view_->document().processor();
    editAGroup();
    const int generation = processor->messageGeneration();
    view_->selectTab(CKarvoEdView::LevelsTab);
    view_->levelsPage()->toggleRows({standardRow(850.0)});

    // Cancel: the Levels tab stays and the edited message is kept.
    dialogs_.unsavedAnswers = {UnsavedChoice::Cancel};
    view_->selectTab(CKarvoEdView::WMOTab);
    ASSERT_EQ(dialogs_.unsavedQuestions.size(), 1u);
    EXPECT_NE(dialogs_.unsavedQuestions[0].find("1 edited group"), std::string::npos);
    EXPECT_EQ(view_->currentTab(), CKarvoEdView::LevelsTab);
    EXPECT_EQ(view_->tabs()->currentIndex(), CKarvoEdView::LevelsTab);
    EXPECT_EQ(processor->messageGeneration(), generation);
    EXPECT_EQ(view_->wmoPage()->changedGroups(), 1);

    // Save: the edited message is written, then coded again.
    savePath_ = dir_ + "/before-recoding.txt";
    dialogs_.unsavedAnswers = {UnsavedChoice::Save};
    view_->selectTab(CKarvoEdView::WMOTab);
    EXPECT_TRUE(std::filesystem::exists(*savePath_));
    EXPECT_EQ(processor->messageGeneration(), generation + 1);
    EXPECT_EQ(view_->currentTab(), CKarvoEdView::WMOTab);
}

}  // namespace
}  // namespace velta::test
