// The WMO tab over the sample drop: group commands and their counters and
// colours, a new run resetting the deleted-groups count, and the saved file.
#include <QLabel>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "UiFixture.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/TabWMOGrid.h"

namespace velta::test {
namespace {

class WmoTabTest : public UiFixture {
protected:
    TabWMOGrid* openWmoTab() {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
        if (!child) return nullptr;
        view_ = child->view();
        view_->selectTab(CKarvoEdView::WMOTab);
        return view_->wmoPage();
    }
    std::string changed(TabWMOGrid* page) { return page->changedLabel()->text().toStdString(); }
    QColor colour(TabWMOGrid* page, int row, int column) {
        return page->grid()->item(row, column)->foreground().color();
    }
    std::string cellText(TabWMOGrid* page, int row, int column) {
        return page->grid()->item(row, column)->text().toStdString();
    }
    CKarvoEdView* view_ = nullptr;
};

TEST_F(WmoTabTest, GridPlacesElevenGroupsARowWithTheTerminatorLast) {
    TabWMOGrid* page = openWmoTab();
    ASSERT_TRUE(page && page->editor());
    QTableWidget* grid = page->grid();
    EXPECT_EQ(grid->columnCount(), 11);
    ASSERT_GT(grid->rowCount(), 2);
    int terminators = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 11; ++c)
            if (grid->item(r, c)->text().trimmed() == "=") {
                EXPECT_EQ(c, 10) << r;
                ++terminators;
            }
    EXPECT_EQ(terminators, static_cast<int>(page->editor()->message().parts().size()));
    // "%5s " cells: a group of five characters fills six.
    EXPECT_EQ(cellText(page, 1, 1).size(), 6u) << cellText(page, 0, 0) << "|" << cellText(page, 1, 0);
    // The part identifier as in the message, two blanks after it.
    EXPECT_EQ(cellText(page, 1, 0), "XXAA  ");
    EXPECT_EQ(colour(page, 0, 0), QColor(0, 0, 0));
}

// The coded message carries placeholders for the heading and the remarks; the
// operator's stored entries replace them before the message is first shown,
// and again after every new run.
TEST_F(WmoTabTest, TheMessageCarriesTheStoredEntriesFromTheStart) {
    TabWMOGrid* page = openWmoTab();
    ASSERT_TRUE(page && page->editor());
    const std::string agency = view_->document().configuration().option("ACagency")->text();
    ASSERT_FALSE(agency.empty());
    auto check = [&] {
        const std::string text = page->editor()->message().text(false);
        EXPECT_EQ(text.find("UZxx13"), std::string::npos) << text;
        EXPECT_NE(text.find("61616 " + agency), std::string::npos) << text;
    };
    check();
    ASSERT_TRUE(view_->recomputeCommand());
    view_->selectTab(CKarvoEdView::WMOTab);
    check();
}

TEST_F(WmoTabTest, GroupCommandsKeepTheCountersAndColours) {
    TabWMOGrid* page = openWmoTab();
    ASSERT_TRUE(page && page->editor());
    const int original = page->editor()->originalGroups();
    EXPECT_EQ(page->originalLabel()->text().toStdString(), "original groups:" + std::to_string(original));
    EXPECT_EQ(changed(page), "modified groups:0");
    // As shown: with the operator's heading and remarks applied.
    const int shown = page->editor()->message().groupCount();

    // Modify, then restore.
    page->grid()->setCurrentCell(1, 1);
    const std::string coded = cellText(page, 1, 1);
    dialogs_.editAnswers.push_back(std::string("99999"));
    page->run(TabWMOGrid::Command::Modify);
    EXPECT_EQ(cellText(page, 1, 1), "99999 ");
    EXPECT_EQ(colour(page, 1, 1), QColor(255, 0, 0));
    EXPECT_EQ(changed(page), "modified groups:1");
    page->run(TabWMOGrid::Command::Restore);
    EXPECT_EQ(cellText(page, 1, 1), coded);
    EXPECT_EQ(colour(page, 1, 1), QColor(0, 0, 0));
    EXPECT_EQ(changed(page), "modified groups:0");

    // A cancelled edit changes nothing.
    page->run(TabWMOGrid::Command::Modify);
    EXPECT_EQ(changed(page), "modified groups:0");

    // Insert after, then delete the inserted group: it does not count as deleted.
    dialogs_.editAnswers.push_back(std::string("12345"));
    page->run(TabWMOGrid::Command::InsertAfter);
    EXPECT_EQ(cellText(page, 1, 2), "12345 ");
    EXPECT_EQ(colour(page, 1, 2), QColor(0, 255, 0));
    EXPECT_EQ(changed(page), "modified groups:1");
    page->grid()->setCurrentCell(1, 2);
    page->run(TabWMOGrid::Command::Delete);
    EXPECT_EQ(changed(page), "modified groups:0");
    EXPECT_EQ(page->editor()->deletedGroups(), 0);

    // Insert before puts the group in the selected cell's place.
    dialogs_.editAnswers.push_back(std::string("54321"));
    page->run(TabWMOGrid::Command::InsertBefore);
    EXPECT_EQ(cellText(page, 1, 2), "54321 ");
    page->run(TabWMOGrid::Command::Delete);

    // Deleting a coded group counts.
    page->grid()->setCurrentCell(1, 1);
    page->run(TabWMOGrid::Command::Delete);
    EXPECT_EQ(changed(page), "modified groups:1");
    EXPECT_EQ(page->editor()->deletedGroups(), 1);
    EXPECT_EQ(page->editor()->message().groupCount(), shown - 1);

    // A new processing run codes a new message and starts the count again.
    ASSERT_TRUE(view_->recomputeCommand());
    view_->selectTab(CKarvoEdView::WMOTab);
    EXPECT_EQ(changed(page), "modified groups:0");
    EXPECT_EQ(page->editor()->message().groupCount(), shown);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(WmoTabTest, SaveWritesTheMessageWithOrWithoutNNNN) {
    TabWMOGrid* page = openWmoTab();
    ASSERT_TRUE(page && page->editor());
    ConfigSet& config = view_->document().configuration();
    std::string offered;
    const std::string path = dir_ + "/message.txt";
    page->chooseSavePath = [&](const MessageSaveDialogSettings& settings) {
        offered = settings.title + "|" + settings.initialName;
        return std::optional<std::string>(path);
    };

    config.option("TempAppendNNNN")->setValue(0);
    page->save();
    EXPECT_EQ(offered, "Specify the file for saving the WMO message|D20250915_174512");
    const std::string plain = readFile(path);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.substr(plain.size() - 2), "\r\n");
    EXPECT_EQ(plain.find("NNNN"), std::string::npos);
    EXPECT_EQ(config.option("WmoSaveDir")->text(), std::filesystem::path(dir_).string());

    config.option("TempAppendNNNN")->setValue(1);
    page->save();
    const std::string withNNNN = readFile(path);
    EXPECT_EQ(withNNNN, plain + "NNNN");

    // Cancelled: nothing is written.
    std::filesystem::remove(path);
    page->chooseSavePath = [](const MessageSaveDialogSettings&) { return std::optional<std::string>(); };
    page->save();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WmoTabTest, EmailOpensAMailtoUrlOrSaysWhyNot) {
    TabWMOGrid* page = openWmoTab();
    ASSERT_TRUE(page && page->editor());
    QUrl opened;
    page->openMailUrl = [&](const QUrl& url) {
        opened = url;
        return true;
    };
    page->email();
    EXPECT_EQ(opened.scheme(), "mailto");
    EXPECT_TRUE(dialogs_.messages.empty());

    page->openMailUrl = [](const QUrl&) { return false; };
    page->email();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages.front().find("No mail program"), std::string::npos);
}

}  // namespace
}  // namespace velta::test
