// A sample drop opened in the main window: what every tab shows, the limit of
// open soundings, the level marks, the overrides and the option commands.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "TestData.h"
#include "UiFixture.h"
#include "document/KarvoEdDoc.h"
#include "io/SeriesTable.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/CommPage.h"
#include "ui/DataPage.h"
#include "ui/LevelsModel.h"
#include "ui/MainPage.h"
#include "ui/ProcessorProducts.h"
#include "ui/SummaryPage.h"
#include "ui/TabLevelGrid.h"
#include "ui/TabWMOGrid.h"

namespace velta::test {
namespace {

QString cell(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

QString formatted(const char* format, double v) { return QString::asprintf(format, v); }

class ViewTest : public UiFixture {
protected:
    CKarvoEdView* openSample(const std::string& name = kSample) {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(name)));
        EXPECT_NE(child, nullptr) << name;
        return child ? child->view() : nullptr;
    }
};

TEST_F(ViewTest, EveryTabShowsTheSampleAfterOpening) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front();
    EXPECT_EQ(frame_->documentCount(), 1);
    EXPECT_TRUE(frame_->windowTitle().contains(kSample)) << frame_->windowTitle().toStdString();
    EXPECT_TRUE(frame_->recentFiles().first().endsWith(kSample));

    QTabWidget* tabs = view->tabs();
    const QStringList captions = {"&Main", "&Raw",   "&QC",   "XY &Graph", "&Skew-T",
                                  "&Levels", "&WMO", "&Comm", "&Summary"};
    ASSERT_EQ(tabs->count(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(tabs->tabText(i), captions[i]);
    EXPECT_TRUE(tabs->isTabEnabled(CKarvoEdView::CommTab));  // a Karvo D file

    // Main: reported launch values, launch time, integration results.
    MainPage* main = view->mainPage();
    const SoundingHeader h = view->document().processor()->header();
    ASSERT_TRUE(h.launchPressureValid);
    EXPECT_EQ(main->reportedValue(1)->text(), formatted("%.1f", h.launchPressure));
    EXPECT_EQ(main->launchTime()->text(), "17:45:12    15-Sep-2025");
    EXPECT_EQ(main->remarks()->text(), "Operator comments: Eyewall drop in the NE quadrant");
    EXPECT_FALSE(main->remarks()->isHidden());
    EXPECT_EQ(main->sensorResponse()->text(), "RS80 T sensor (the file names no sonde type)");
    EXPECT_FALSE(main->reportedValue(9)->text().isEmpty());  // surface pressure of a drop that hit the sea
    EXPECT_TRUE(main->hitSurface()->isEnabled());
    EXPECT_FALSE(main->downwardResult()->text().isEmpty());

    // Raw: one row per distinct time; the records and the launch point.
    view->selectTab(CKarvoEdView::RawTab);
    const Sounding& sounding = *view->document().processor()->engine()->sounding();
    const SeriesTable raw(sounding, rawTableSeries());
    EXPECT_EQ(view->rawPage()->model().rowCount(), raw.rowCount());
    EXPECT_GE(raw.rowCount(), 984);
    EXPECT_EQ(cell(view->rawPage()->model(), 0, 0), "  -1.0 ");  // the launch point
    EXPECT_EQ(view->rawPage()->title().toStdString(),
              "Raw Data " + view->document().processor()->soundingDescription());
    EXPECT_EQ(view->rawPage()->model().headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "Dz/Dt (m/s)");

    // QC: the first data row holds the first points of the QC series.
    view->selectTab(CKarvoEdView::QCTab);
    const SeriesTableModel& qc = view->qcPage()->model();
    const DataSeries& qcPres = *sounding.series("QCPres");
    const DataSeries& qcTime = *sounding.series("QCTime");
    ASSERT_GT(qc.rowCount(), 100);
    EXPECT_EQ(cell(qc, 0, 0), formatted("%6.1f ", qcTime.value(0)));
    EXPECT_EQ(cell(qc, 0, 1), formatted("%6.1f ", qcPres.value(0)));
    EXPECT_EQ(qc.columnCount(), 10);
    EXPECT_EQ(qc.headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(), "Lon (deg)");
    // A model, not a widget per cell.
    EXPECT_LT(view->qcPage()->grid()->findChildren<QWidget*>().size(), 40);

    // The pressure of a selected row.
    view->qcPage()->grid()->selectRow(3);
    EXPECT_EQ(view->qcPage()->rowText(), "Pres: " + cell(qc, 3, 1));

    // Summary: the log by category, lines indented by a tab.
    view->selectTab(CKarvoEdView::SummaryTab);
    QListWidget* log = view->summaryPage()->list();
    EXPECT_FALSE(log->findItems("Processing Steps", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(log->findItems("\tQC processing completed", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(log->findItems("QC Data Recovery Statistics", Qt::MatchExactly).isEmpty());
}

TEST_F(ViewTest, LevelsAndMessageTabsShowTheProducts) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    SoundingProcessor* processor = view->document().processor();
    const SignificantLevels* levels = products::levels(processor);
    if (!levels) GTEST_SKIP() << "the processor does not derive levels yet";

    view->selectTab(CKarvoEdView::LevelsTab);
    const LevelsModel& model = view->levelsPage()->model();
    ASSERT_EQ(model.rowCount(), static_cast<int>(levels->size()));
    bool surface = false, standard = false;
    for (int r = 0; r < model.rowCount(); ++r) {
        const LevelType t = levels->levels()[static_cast<std::size_t>(r)].type();
        EXPECT_EQ(cell(model, r, 1), levelTypeName(t));
        EXPECT_EQ(cell(model, r, 0), QString::asprintf("%3.0f", double(r)));
        const bool highlighted =
            t == LevelType::Standard || t == LevelType::SurfaceThermodynamic || t == LevelType::SurfaceWinds;
        EXPECT_EQ(model.rowColour(r), highlighted ? LevelsModel::Highlight : LevelsModel::Plain) << r;
        surface |= t == LevelType::SurfaceThermodynamic;
        standard |= t == LevelType::Standard;
    }
    EXPECT_TRUE(surface);
    EXPECT_TRUE(standard);

    const TempMessage* message = products::message(processor);
    if (!message) GTEST_SKIP() << "the processor does not code the message yet";
    view->selectTab(CKarvoEdView::WMOTab);
    const QString shown = view->wmoPage()->text()->toPlainText();
    EXPECT_EQ(shown.section('\n', 0, 0).toStdString(), message->lines().front());
}

TEST_F(ViewTest, LeavingTheLevelsTabRecodesTheMessageWithoutExcludedLevels) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    SoundingProcessor* processor = view->document().processor();
    if (!products::levels(processor) || !products::message(processor))
        GTEST_SKIP() << "the processor does not derive levels and the message yet";

    view->selectTab(CKarvoEdView::LevelsTab);
    const int generation = processor->messageGeneration();
    // Leaving without a change does not recode.
    view->selectTab(CKarvoEdView::WMOTab);
    EXPECT_EQ(processor->messageGeneration(), generation);

    // A standard level that the message codes: exclude it.
    view->selectTab(CKarvoEdView::LevelsTab);
    const SignificantLevels* levels = products::levels(processor);
    int row = -1;
    for (std::size_t i = 0; i < levels->size(); ++i)
        if (levels->levels()[i].type() == LevelType::Standard && levels->levels()[i].has(LevelValue::Pres) &&
            levels->levels()[i].value(LevelValue::Pres) == 850.0)
            row = static_cast<int>(i);
    ASSERT_GE(row, 0) << "no 850 mb level";
    const std::string before = products::message(processor)->text(false);
    ASSERT_NE(before.find(" 85"), std::string::npos);
    view->levelsPage()->toggleRows({row});
    EXPECT_TRUE(levels->levels()[static_cast<std::size_t>(row)].excluded());
    EXPECT_EQ(view->levelsPage()->model().rowColour(row), LevelsModel::Excluded);
    // Clicking twice restores the mark and the colour.
    view->levelsPage()->toggleRows({row});
    EXPECT_EQ(view->levelsPage()->model().rowColour(row), LevelsModel::Highlight);
    EXPECT_FALSE(view->levelsPage()->marksChanged());
    view->levelsPage()->toggleRows({row});

    view->selectTab(CKarvoEdView::WMOTab);
    EXPECT_EQ(processor->messageGeneration(), generation + 1);
    const std::string after = products::message(processor)->text(false);
    EXPECT_NE(after, before);
    EXPECT_EQ(view->wmoPage()->text()->toPlainText().toStdString().substr(0, 4),
              products::message(processor)->lines().front().substr(0, 4));

    // Back on the tab without new processing, the red row stays.
    view->selectTab(CKarvoEdView::LevelsTab);
    EXPECT_EQ(view->levelsPage()->model().rowColour(row), LevelsModel::Excluded);
}

TEST_F(ViewTest, RecomputeOnTheLevelsTabShowsTheNewLevelsWithTheKeptMarks) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    if (!products::levels(view->document().processor())) GTEST_SKIP() << "no levels yet";
    view->selectTab(CKarvoEdView::LevelsTab);
    view->levelsPage()->toggleRows({0});
    ASSERT_EQ(view->levelsPage()->model().rowColour(0), LevelsModel::Excluded);
    // Processing replaces the levels while the grid is on screen and repainting.
    ASSERT_TRUE(view->recomputeCommand());
    QCoreApplication::processEvents();
    const SignificantLevels* levels = products::levels(view->document().processor());
    ASSERT_TRUE(levels);
    ASSERT_EQ(view->levelsPage()->model().rowCount(), static_cast<int>(levels->size()));
    // The same run again has the same levels: the exclusion is kept.
    EXPECT_EQ(view->levelsPage()->model().rowColour(0), LevelsModel::Excluded);
    EXPECT_FALSE(view->levelsPage()->marksChanged());
}

TEST_F(ViewTest, TheTwentyFirstSoundingIsRefused) {
    // Twenty different files: opening one that is open only brings it forward.
    auto copy = [this](int i) {
        const std::string path = dir_ + "/D20250915_1745" + std::to_string(10 + i) + ".1";
        std::filesystem::copy_file(samplePath(kSample), path, std::filesystem::copy_options::overwrite_existing);
        return QString::fromStdString(path);
    };
    for (int i = 0; i < CMainFrame::MaxOpenSoundings; ++i) ASSERT_TRUE(frame_->openDocument(copy(i))) << i;
    EXPECT_EQ(frame_->documentCount(), 20);
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_EQ(frame_->openDocument(copy(20)), nullptr);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0],
              "\n\nOnly 20 soundings can be open at a time. You must close one before opening another.");
    EXPECT_EQ(frame_->documentCount(), 20);
    // One of the open files still comes forward.
    EXPECT_NE(frame_->openDocument(copy(3)), nullptr);
    EXPECT_EQ(dialogs_.messages.size(), 1u);
    // With one closed, the next opens.
    frame_->activeChild()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame_->documentCount(), 19);
    EXPECT_TRUE(frame_->openDocument(copy(20)));
}

TEST_F(ViewTest, OverridesAreStoredOnRecomputeAndClearRemovesThem) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    ConfigSet& set = view->document().configuration();
    MainPage* main = view->mainPage();
    QLineEdit* pressure = main->overrideField(1);
    ASSERT_EQ(pressure->objectName(), "launchPresOverride");

    QTest::keyClicks(pressure, "697.5");
    view->selectTab(CKarvoEdView::QCTab);
    const int qcGeneration = view->document().processor()->engine()->sounding()->qcGeneration();
    ASSERT_TRUE(view->recomputeCommand());
    ASSERT_TRUE(set.numericValue("launchPresOverride"));
    EXPECT_EQ(*set.numericValue("launchPresOverride"), 697.5);
    EXPECT_NE(view->document().processor()->engine()->sounding()->qcGeneration(), qcGeneration);
    EXPECT_EQ(cell(view->qcPage()->model(), 0, 1), " 697.5 ");

    main->clearButton(1)->click();
    EXPECT_TRUE(pressure->text().isEmpty());
    ASSERT_TRUE(view->recomputeCommand());
    EXPECT_FALSE(set.numericValue("launchPresOverride"));
    EXPECT_NE(cell(view->qcPage()->model(), 0, 1), " 697.5 ");
}

TEST_F(ViewTest, OverrideFieldsTakeNumbersOnly) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    QLineEdit* temperature = view->mainPage()->overrideField(2);
    QTest::keyClicks(temperature, "1x2");
    EXPECT_EQ(temperature->text(), "12");  // the letter was refused

    // A half-typed number is not taken for 0: nothing is stored or processed.
    temperature->setText("-");
    EXPECT_FALSE(view->recomputeCommand());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("launchTdryOverride"), std::string::npos);
    EXPECT_FALSE(view->document().configuration().numericValue("launchTdryOverride"));
}

TEST_F(ViewTest, CommandFlagsFollowTheTab) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    EXPECT_FALSE(frame_->action("save")->isEnabled());
    EXPECT_FALSE(frame_->action("print")->isEnabled());
    struct Case {
        int tab;
        bool preview, print, save;
    };
    const Case cases[] = {{CKarvoEdView::RawTab, true, true, true},     {CKarvoEdView::QCTab, true, true, true},
                          {CKarvoEdView::XYGraphTab, false, true, true}, {CKarvoEdView::SkewTTab, false, true, true},
                          {CKarvoEdView::LevelsTab, true, true, false},  {CKarvoEdView::WMOTab, true, true, true},
                          {CKarvoEdView::CommTab, false, false, false},  {CKarvoEdView::SummaryTab, false, false, false},
                          {CKarvoEdView::MainTab, false, false, false}};
    for (const Case& c : cases) {
        view->selectTab(c.tab);
        EXPECT_EQ(frame_->action("printPreview")->isEnabled(), c.preview) << c.tab;
        EXPECT_EQ(frame_->action("print")->isEnabled(), c.print) << c.tab;
        EXPECT_EQ(frame_->action("save")->isEnabled(), c.save) << c.tab;
    }
    EXPECT_FALSE(frame_->action("configuration")->isVisible());
}

TEST_F(ViewTest, TheRawGridIsRebuiltOnlyWhenTheSoundingChanges) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::RawTab);
    view->selectTab(CKarvoEdView::QCTab);
    view->selectTab(CKarvoEdView::RawTab);
    EXPECT_EQ(view->rawPage()->rebuilds(), 1);
    EXPECT_EQ(view->qcPage()->rebuilds(), 1);
    ASSERT_TRUE(view->recomputeCommand());
    EXPECT_EQ(view->qcPage()->rebuilds(), 2);
}

TEST_F(ViewTest, SoundingsOfAnotherSystemHaveNoCommTab) {
    CKarvoEdView* view = openSample("csv_example.csv");
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->tabs()->isTabEnabled(CKarvoEdView::CommTab));
}

TEST_F(ViewTest, AFileNoReaderAcceptsIsReportedAndNotOpened) {
    const std::string path = dir_ + "/notes.txt";
    ASSERT_TRUE(writeFile(path, "nothing to see here\n"));
    EXPECT_EQ(frame_->openDocument(QString::fromStdString(path)), nullptr);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].rfind(path + ": file is not in an acceptable format for Velta.\n", 0), 0u);
    EXPECT_EQ(frame_->documentCount(), 0);
}

TEST_F(ViewTest, SwitchesAreOptionsAndClosingAsksToSaveThem) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    const std::string before = readFile(dir_ + "/velta.xml");
    ConfigSet& set = view->document().configuration();
    const bool wasSet = set.boolValue("SetHtsMissing").value_or(false);
    view->mainPage()->setHeightsMissing()->click();
    EXPECT_EQ(set.boolValue("SetHtsMissing").value_or(false), !wasSet);
    EXPECT_TRUE(set.modified());

    const std::string setName = set.name();
    dialogs_.queryAnswers.push_back(false);
    frame_->activeChild()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0],
              "QC processing options were changed for the sounding " + std::string(kSample) +
                  ". Do you want to save them as the current processing options for the '" + setName +
                  "' configuration set?");
    EXPECT_EQ(frame_->documentCount(), 0);
    // No: only the immediate options (the data directory) reached the file.
    const std::string after = readFile(dir_ + "/velta.xml");
    EXPECT_EQ(after.find("SetHtsMissing"), before.find("SetHtsMissing"));
}

TEST_F(ViewTest, RestoreDefaultsTellsAndReprocessesNothing) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    ConfigSet& set = view->document().configuration();
    ConfigOption* option = set.option("TdryOffset");
    ASSERT_TRUE(option);
    option->setValue(option->defaultValue() + 1.5);
    const int generation = view->document().processor()->engine()->sounding()->qcGeneration();
    frame_->action("restoreDefaults")->trigger();
    EXPECT_EQ(option->value(), option->defaultValue());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0],
              "\nQC Processing options have been set to default values. You can save them when you close this "
              "sounding.");
    EXPECT_EQ(view->document().processor()->engine()->sounding()->qcGeneration(), generation);
}

TEST_F(ViewTest, OptionsCommandReloadsTheSwitches) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    dialogs_.optionsEditor = [](ConfigSet& set) {
        set.option("SfcAltUnknown")->setValue(1.0);
        return true;
    };
    frame_->action("options")->trigger();
    EXPECT_TRUE(view->mainPage()->surfaceAltitudeUnknown()->isChecked());
    ASSERT_EQ(dialogs_.notices.size(), 1u);
    EXPECT_EQ(dialogs_.notices[0].rfind("Immediate values for configuration '", 0), 0u);
}

TEST_F(ViewTest, DataPagesSaveInTheFormatOfTheExtension) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::QCTab);
    const std::string out = dir_ + "/out";
    std::filesystem::create_directories(out);
    ASSERT_TRUE(view->qcPage()->saveTo(out + "/drop.qsf"));
    const std::string text = readFile(out + "/drop.qsf");
    EXPECT_EQ(text.rfind("Data Type/Direction:", 0), 0u);
    EXPECT_EQ(view->document().configuration().option("QCSaveDir")->text(), out);

    // An unknown type writes nothing, says so, and keeps the remembered directory.
    EXPECT_FALSE(view->qcPage()->saveTo(dir_ + "/drop.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/drop.txt"));
    ASSERT_FALSE(dialogs_.messages.empty());
    EXPECT_EQ(dialogs_.messages.back(), "Don't know how to create a file of type .txt");
    EXPECT_EQ(view->document().configuration().option("QCSaveDir")->text(), out);

    view->selectTab(CKarvoEdView::RawTab);
    ASSERT_TRUE(view->rawPage()->saveTo(out + "/raw.csv"));
    EXPECT_GT(std::filesystem::file_size(out + "/raw.csv"), 1000u);
    EXPECT_EQ(view->document().configuration().option("RawSaveDir")->text(), out);
}

TEST_F(ViewTest, TheRawPagePrintsItsRowsInPagesOf56) {
    CKarvoEdView* view = openSample();
    ASSERT_TRUE(view);
    view->selectTab(CKarvoEdView::RawTab);
    const auto pages = view->rawPage()->printPages();
    const int rows = view->rawPage()->model().rowCount();
    EXPECT_EQ(static_cast<int>(pages.size()), (rows + 55) / 56);
    EXPECT_EQ(pages[0].lines[0], "  Time   Pres   TDry     RH   Wspd   Wdir     DZ   Sats Status ");
    EXPECT_EQ(pages[0].lines.size(), 58u);
    EXPECT_EQ(pages[0].heading, view->rawPage()->title().toStdString());
}

}  // namespace
}  // namespace velta::test
