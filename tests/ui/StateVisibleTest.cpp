// What the operator must see without looking twice: the excluded level while
// it is selected, the open soundings by name (Window menu, Ctrl+Tab switcher,
// an open file brought forward), results out of date after an option change,
// the sounding named in the exit question, and no file sentinels in the raw grid.
#include <QAction>
#include <QLineEdit>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QComboBox>
#include <QPushButton>
#include <thread>

#include "UiFixture.h"
#include "config/ConfigSet.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/CommPage.h"
#include "ui/DataPage.h"
#include "ui/LevelsModel.h"
#include "ui/TabLevelGrid.h"
#include "ui/TabWMOGrid.h"

namespace velta::test {
namespace {

class StateVisibleTest : public UiFixture {
protected:
    CKarvoEdView* open(const std::string& name = kSample) {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(name)));
        return child ? child->view() : nullptr;
    }
};

TEST_F(StateVisibleTest, AnExcludedLevelShowsRedAtOnceAlsoWhenSelected) {
    CKarvoEdView* view = open();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::LevelsTab);
    QTableView* grid = view->levelsPage()->grid();
    QCoreApplication::processEvents();
    const int row = 3;
    const QRect cell = grid->visualRect(grid->model()->index(row, 3));
    ASSERT_TRUE(cell.isValid());
    // A click selects the row and excludes its level.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(grid->selectionModel()->isRowSelected(row, {}));
    ASSERT_EQ(view->levelsPage()->model().rowColour(row), LevelsModel::Excluded);
    const QImage shown = grid->viewport()->grab().toImage();
    const QColor pixel = shown.pixelColor(cell.left() + 2, cell.center().y());
    EXPECT_GT(pixel.red(), 180) << pixel.name().toStdString();
    EXPECT_LT(pixel.green(), 120) << pixel.name().toStdString();
    EXPECT_LT(pixel.blue(), 120) << pixel.name().toStdString();
}

TEST_F(StateVisibleTest, TheWindowMenuAndSwitcherNameTheSoundings) {
    ASSERT_TRUE(open());
    ASSERT_TRUE(open("D20250916_203000.1"));
    ASSERT_EQ(frame_->documentCount(), 2);
    emit frame_->windowMenu()->aboutToShow();
    QStringList texts;
    for (QAction* a : frame_->windowMenu()->actions()) texts << a->text();
    const QString all = texts.join("|");
    EXPECT_TRUE(all.contains("&Tile") && all.contains("&Cascade")) << all.toStdString();
    EXPECT_TRUE(all.contains("D20250915_174512.1") && all.contains("D20250916_203000.1")) << all.toStdString();
    frame_->action("tileWindows")->trigger();
    EXPECT_FALSE(frame_->activeChild()->isMaximized());

    QMdiSubWindow* before = frame_->mdiArea()->activeSubWindow();
    QAction* next = frame_->action("nextWindow");
    ASSERT_TRUE(next);
    EXPECT_EQ(next->shortcut(), QKeySequence("Ctrl+Tab"));
    next->trigger();
    EXPECT_NE(frame_->mdiArea()->activeSubWindow(), before);
    const QStringList lines = frame_->switcherLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.filter("> ").size(), 1);
    EXPECT_TRUE(lines.filter("> ").front().contains(frame_->mdiArea()->activeSubWindow()->windowTitle()));
    auto* switcher = frame_->findChild<QLabel*>("soundingSwitcher");
    ASSERT_TRUE(switcher && switcher->isVisible());
    EXPECT_TRUE(switcher->text().contains("D20250915_174512.1"));
}

TEST_F(StateVisibleTest, OpeningAnOpenFileBringsItsWindowForward) {
    CChildFrame* first = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
    ASSERT_TRUE(first);
    ASSERT_TRUE(open("D20250916_203000.1"));
    EXPECT_NE(frame_->activeChild(), first);
    EXPECT_EQ(frame_->openDocument(QString::fromStdString(samplePath(kSample))), first);
    EXPECT_EQ(frame_->documentCount(), 2);
    EXPECT_EQ(frame_->activeChild(), first);
}

TEST_F(StateVisibleTest, ResultsAreOutOfDateAfterAnOptionChangeUntilRecomputed) {
    CKarvoEdView* view = open();
    ASSERT_TRUE(view);
    QWidget* window = view->parentWidget();
    // Options cancelled, or confirmed unchanged: still up to date.
    dialogs_.optionsEditor = [](ConfigSet&) { return true; };
    view->optionsCommand();
    EXPECT_FALSE(view->outOfDate());

    dialogs_.optionsEditor = [](ConfigSet& set) {
        set.option("TdryOutlier")->setValue(set.option("TdryOutlier")->value() + 1.0);
        return true;
    };
    view->optionsCommand();
    EXPECT_TRUE(view->outOfDate());
    EXPECT_FALSE(view->outOfDateBanner()->isHidden());
    EXPECT_TRUE(view->outOfDateBanner()->text().contains("out of date"));
    EXPECT_TRUE(window->windowTitle().contains("out of date")) << window->windowTitle().toStdString();

    ASSERT_TRUE(view->recomputeCommand());
    EXPECT_FALSE(view->outOfDate());
    EXPECT_TRUE(view->outOfDateBanner()->isHidden());
    EXPECT_EQ(window->windowTitle().toStdString(), kSample);

    // Restore Defaults changes options too.
    view->restoreDefaultsCommand();
    EXPECT_TRUE(view->outOfDate());
}

TEST_F(StateVisibleTest, TheRawGridShowsMissingValuesBlank) {
    for (const char* name : {"vira_example.txt", "halvo_example.txt", "turva_example.tvx", "csv_example.csv", "fenro_example.txt", kSample}) {
        CKarvoEdView* view = open(name);
        ASSERT_TRUE(view) << name;
        view->selectTab(CKarvoEdView::RawTab);
        const QAbstractItemModel* model = view->rawPage()->grid()->model();
        ASSERT_GT(model->rowCount(), 0) << name;
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QString text = model->data(model->index(r, c)).toString().trimmed();
                const QString caption = model->headerData(c, Qt::Horizontal).toString();
                // 999.0 mb is a pressure a drop can measure; elsewhere it is a file's mark.
                const bool pressure = caption.startsWith("Pres");
                const bool sentinel = text == "9999.0" || text == "99999.0" || text.startsWith("-999") ||
                                      (!pressure && (text == "999.0" || text == "999" || text == "999.00"));
                EXPECT_FALSE(sentinel) << text.toStdString() << " "
                        << name << " row " << r << " " << model->headerData(c, Qt::Horizontal).toString().toStdString();
            }
        frame_->activeChild()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Every cell's text fits its column: the column is at least as wide as the text.
void expectColumnsFitTheirText(QTableView* grid, const std::string& what) {
    const QFontMetrics metrics(grid->font());
    const QAbstractItemModel* model = grid->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < model->rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(model->data(model->index(r, c)).toString().trimmed()));
        EXPECT_GE(grid->columnWidth(c), widest) << what << " column " << c;
    }
}

TEST_F(StateVisibleTest, GridColumnsFitTheirContentAndTheTerminatorStaysInView) {
    CKarvoEdView* view = open();
    ASSERT_TRUE(view);
    for (int pass = 0; pass < 2; ++pass) {
        view->selectTab(CKarvoEdView::WMOTab);
        QCoreApplication::processEvents();
        QTableWidget* wmo = view->wmoPage()->grid();
        int terminators = 0;
        for (int r = 0; r < wmo->rowCount(); ++r)
            for (int c = 0; c < wmo->columnCount(); ++c)
                if (wmo->item(r, c) && wmo->item(r, c)->text().trimmed() == "=") {
                    ++terminators;
                    const QRect cell = wmo->visualItemRect(wmo->item(r, c));
                    EXPECT_LE(cell.right(), wmo->viewport()->width()) << "pass " << pass << " row " << r;
                }
        EXPECT_GT(terminators, 0);
        // The code groups are never cut; only the remark lines may be.
        for (int c = 1; c < wmo->columnCount(); ++c)
            EXPECT_GE(wmo->columnWidth(c), wmo->fontMetrics().horizontalAdvance("99999")) << c;

        view->selectTab(CKarvoEdView::LevelsTab);
        QCoreApplication::processEvents();
        expectColumnsFitTheirText(view->levelsPage()->grid(), "levels pass " + std::to_string(pass));
        // Recompute from another tab: the pages are refreshed while hidden.
        view->selectTab(CKarvoEdView::MainTab);
        ASSERT_TRUE(view->recomputeCommand());
    }
}

TEST_F(StateVisibleTest, TypingInTheCommFieldsSavesOnceTheTypingPausesOrTheFieldIsLeft) {
    CKarvoEdView* view = open();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::CommTab);
    CommPage* comm = view->commPage();
    auto saves = [&] {
        return std::count(dialogs_.notices.begin(), dialogs_.notices.end(), std::string("Saving configuration..."));
    };
    const auto before = saves();
    for (QLineEdit* field : {comm->agency(), comm->storm(), comm->missionId()}) field->clear();
    QTest::keyClicks(comm->agency(), "AF30");
    EXPECT_EQ(saves(), before) << "saved on a keystroke";
    EXPECT_TRUE(comm->savePending());
    // The pause: one save for the whole word.
    QTest::qWait(CommPage::SavePauseMs + 400);
    EXPECT_EQ(saves(), before + 1);
    EXPECT_FALSE(comm->savePending());
    // Leaving the field saves at once.
    QTest::keyClicks(comm->storm(), "X");
    emit comm->storm()->editingFinished();
    EXPECT_EQ(saves(), before + 2);
    // A save still pending when the sounding closes is made.
    QTest::keyClicks(comm->missionId(), "Y");
    frame_->activeChild()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(saves(), before + 3);
}

// A receiver that never answers: each read waits out its time.
class SilentPort : public SerialPort {
public:
    bool write(const char*, std::size_t) override { return true; }
    long read(char*, std::size_t, std::chrono::milliseconds timeout) override {
        std::this_thread::sleep_for(timeout);
        return 0;
    }
    void discardInput() override {}
};

TEST_F(StateVisibleTest, AWc130jTransferLeavesTheWindowLiveAndCanBeCancelled) {
    CKarvoEdView* view = open();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::CommTab);
    CommPage* comm = view->commPage();
    comm->openPort = [](const std::string&, int, std::string&) -> std::unique_ptr<SerialPort> {
        return std::make_unique<SilentPort>();
    };
    comm->arwoType()->setCurrentIndex(1);
    bool liveDuringTransfer = false, closeRefused = false;
    QTimer::singleShot(300, [&] {
        // The event loop runs while the transfer waits for the receiver.
        liveDuringTransfer = comm->transferring() && comm->cancelButton()->isVisible();
        closeRefused = !frame_->activeChild()->close();
        comm->cancelTransfer();
    });
    comm->send();
    EXPECT_TRUE(liveDuringTransfer);
    EXPECT_TRUE(closeRefused);
    EXPECT_FALSE(comm->transferring());
    EXPECT_FALSE(comm->cancelButton()->isVisible());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "The transfer was cancelled: the WMO message was not sent.");
    EXPECT_EQ(dialogs_.openNotices, 0);

    // A port that cannot be opened says so.
    comm->openPort = [](const std::string&, int, std::string& error) -> std::unique_ptr<SerialPort> {
        error = "no such device";
        return nullptr;
    };
    comm->send();
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_NE(dialogs_.messages[1].find("no such device"), std::string::npos);
}

}  // namespace
}  // namespace velta::test
