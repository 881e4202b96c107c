// The drop diagnosis as the operator meets it: the coloured panel of the Main
// tab with a failed sonde's findings, the per-drop "Hit surface?" decision,
// the findings on the Summary tab, and Send and E-mail that ask first.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QUrl>
#include <fstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "RecordingPort.h"
#include "UiFixture.h"
#include "config/OverrideOptions.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/CommPage.h"
#include "ui/MainPage.h"
#include "ui/SummaryPage.h"
#include "ui/TabWMOGrid.h"

namespace velta::test {
namespace {

class DiagnosisTest : public UiFixture {
protected:
    CKarvoEdView* open(const std::string& path) {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(path));
        return child ? child->view() : nullptr;
    }
    // A research sonde that fails at about 190 mb, the cabin sonde recording on.
    std::string failedSonde() {
        sim::DropSettings s = sim::defaultSettings(sim::DropKind::Research);
        s.formatVersion = 1.7;
        s.scenario = sim::Scenario::FailedSonde;
        sim::applyLayout(s);
        const std::string path = dir_ + "/D20250916_203000.1";
        std::ofstream(path, std::ios::binary) << sim::formatDFile(s, sim::simulateDrop(s));
        return path;
    }
    // Send on the Comm tab; what reached the port.
    std::string send(CKarvoEdView* view) {
        std::string sent;
        view->selectTab(CKarvoEdView::CommTab);
        view->commPage()->openPort = [&](const std::string&, int, std::string&) -> std::unique_ptr<SerialPort> {
            return std::make_unique<RecordingPort>(sent);
        };
        view->commPage()->send();
        return sent;
    }
};

TEST_F(DiagnosisTest, FailedSondeShowsItsFindingsAndSendAsksFirst) {
    CKarvoEdView* view = open(failedSonde());
    ASSERT_NE(view, nullptr);
    view->selectTab(CKarvoEdView::MainTab);
    MainPage* main = view->mainPage();
    const QString panel = main->diagnosisPanel()->text();
    EXPECT_TRUE(main->diagnosisPanel()->isVisibleTo(main));
    EXPECT_TRUE(panel.contains("Sounding ended in mid-air")) << panel.toStdString();
    EXPECT_TRUE(panel.contains("Signal lost before the surface")) << panel.toStdString();
    EXPECT_TRUE(main->diagnosisPanel()->styleSheet().contains("#ffd98a"));
    // The data system's remark stays beside it, verbatim.
    EXPECT_TRUE(main->remarks()->text().contains("Standard comments:"));

    // "Hit surface?" shows this drop's decision; a click overrides it for this drop only.
    ConfigSet& config = view->document().configuration();
    EXPECT_FALSE(main->hitSurface()->isChecked());
    EXPECT_EQ(config.numericValue("DropsondeHitSfc"), 1.0);
    QTest::mouseClick(main->hitSurface(), Qt::LeftButton, {}, QPoint(4, main->hitSurface()->height() / 2));
    EXPECT_TRUE(main->hitSurface()->isChecked());
    ASSERT_NE(config.option(kHitSurfaceOverride), nullptr);
    EXPECT_FALSE(config.option(kHitSurfaceOverride)->bound());
    EXPECT_EQ(config.numericValue("DropsondeHitSfc"), 1.0);
    EXPECT_FALSE(config.modified());
    QTest::mouseClick(main->hitSurface(), Qt::LeftButton, {}, QPoint(4, main->hitSurface()->height() / 2));

    view->selectTab(CKarvoEdView::SummaryTab);
    EXPECT_FALSE(view->summaryPage()->list()->findItems("Drop Diagnosis", Qt::MatchExactly).isEmpty());

    // Send asks, listing the findings; No sends nothing, Yes sends.
    EXPECT_TRUE(send(view).empty());
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_NE(dialogs_.questions[0].find("Sounding ended in mid-air"), std::string::npos) << dialogs_.questions[0];
    EXPECT_NE(dialogs_.questions[0].find("Send the message anyway?"), std::string::npos);
    dialogs_.queryAnswers.push_back(true);
    EXPECT_FALSE(send(view).empty());

    // E-mail asks too.
    int mails = 0;
    view->selectTab(CKarvoEdView::WMOTab);
    view->wmoPage()->openMailUrl = [&](const QUrl&) { return ++mails > 0; };
    view->wmoPage()->email();
    EXPECT_EQ(mails, 0);
    EXPECT_NE(dialogs_.questions.back().find("E-mail the message anyway?"), std::string::npos);
    dialogs_.queryAnswers.push_back(true);
    view->wmoPage()->email();
    EXPECT_EQ(mails, 1);
}

TEST_F(DiagnosisTest, GoodDropShowsNothingFoundAndSendsWithoutAsking) {
    CKarvoEdView* view = open(samplePath(kSample));
    ASSERT_NE(view, nullptr);
    view->selectTab(CKarvoEdView::MainTab);
    EXPECT_EQ(view->mainPage()->diagnosisPanel()->text(), "Drop diagnosis: nothing found.");
    EXPECT_TRUE(view->mainPage()->hitSurface()->isChecked());
    EXPECT_FALSE(send(view).empty());
    EXPECT_TRUE(dialogs_.questions.empty());
}

}  // namespace
}  // namespace velta::test
