// The Comm tab over the sample drop: its fields rebuild the heading and
// remark groups and store their options; Send frames the message on the port,
// or hands it as a file to an XMODEM receiver at the other end of a real tty.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <QValidator>
#include <atomic>
#include <thread>

#include "PtyPair.h"
#include "RecordingPort.h"
#include "UiFixture.h"
#include "XmodemReceiver.h"
#include "document/KarvoEdDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CKarvoEdView.h"
#include "ui/CommPage.h"
#include "ui/TabWMOGrid.h"
#include "wmo/ArwoTransmission.h"
#include "wmo/PosixSerialPort.h"

namespace velta::test {
namespace {

class CommTabTest : public UiFixture {
protected:
    CommPage* openCommTab() {
        CChildFrame* child = frame_->openDocument(QString::fromStdString(samplePath(kSample)));
        if (!child) return nullptr;
        view_ = child->view();
        view_->selectTab(CKarvoEdView::CommTab);
        return view_->commPage();
    }
    std::string message() { return view_->document().processor()->message()->text(false); }
    std::string option(const char* name) { return view_->document().configuration().option(name)->text(); }
    CKarvoEdView* view_ = nullptr;
};

TEST_F(CommTabTest, FieldsRebuildTheRemarkGroupsAndStoreTheirOptions) {
    CommPage* page = openCommTab();
    ASSERT_TRUE(page && view_->document().processor()->message());
    EXPECT_EQ(page->agency()->maxLength(), 5);
    EXPECT_EQ(page->missionId()->maxLength(), 12);
    EXPECT_FALSE(page->azimuth()->isEnabled());
    EXPECT_EQ(page->port()->itemText(0), "/dev/ttyS0");
    EXPECT_EQ(page->port()->itemText(7), "/dev/ttyS7");
    EXPECT_EQ(page->baud()->count(), 7);

    page->agency()->clear();
    QTest::keyClicks(page->agency(), "NOAA9");
    EXPECT_NE(message().find("61616 NOAA9"), std::string::npos) << message();
    EXPECT_EQ(option("ACagency"), "NOAA9");
    page->storm()->clear();
    QTest::keyClicks(page->storm(), "AL09A");
    EXPECT_NE(message().find("61616 NOAA9 AL09A"), std::string::npos) << message();
    EXPECT_EQ(option("MissionStorm"), "AL09A");
    // The WMO tab shows the rewritten groups.
    view_->selectTab(CKarvoEdView::WMOTab);
    EXPECT_TRUE(view_->wmoPage()->text()->toPlainText().contains("61616 NOAA9 AL09A"));
    view_->selectTab(CKarvoEdView::CommTab);

    // 62626: the ATCF identifier is stored, and the remarks change with it.
    const std::string before = message();
    QTest::keyClicks(page->atcf(), "AL092025");
    EXPECT_EQ(option("AtcfId"), "AL092025");
    EXPECT_NE(message(), before);
    EXPECT_NE(message().find("62626"), std::string::npos);

    page->environment()->setCurrentText("EYEWALL");
    EXPECT_TRUE(page->azimuth()->isEnabled());

    // Doubtful heights switch the 10166 groups on and off.
    EXPECT_EQ(message().find("10166"), std::string::npos);
    page->doubtfulHeights()->setChecked(true);
    EXPECT_NE(message().find("10166"), std::string::npos);
    page->doubtfulHeights()->setChecked(false);
    EXPECT_EQ(message().find("10166"), std::string::npos);
}

TEST_F(CommTabTest, FieldsTakeOnlyWhatTheCodeFormAllows) {
    CommPage* page = openCommTab();
    ASSERT_TRUE(page);
    // Control or non-ASCII characters never reach 61616.
    for (QLineEdit* field : {page->agency(), page->storm(), page->missionId(), page->atcf()}) {
        ASSERT_NE(field->validator(), nullptr);
        for (QString text : {QString::fromUtf8("N\xc3\xa9"), QString("N\x01"), QString("N\tA")}) {
            int position = 0;
            EXPECT_EQ(field->validator()->validate(text, position), QValidator::Invalid) << text.toStdString();
        }
    }
    // The ICAO field takes letters only, in upper case.
    QLineEdit* icao = page->icao()->lineEdit();
    icao->clear();
    QTest::keyClicks(icao, "k1b-ix");
    EXPECT_EQ(icao->text(), "KBIX");
    EXPECT_EQ(page->entries().icao, "KBIX");
}

TEST_F(CommTabTest, SendFramesTheMessageForWc130h) {
    CommPage* page = openCommTab();
    ASSERT_TRUE(page && view_->document().processor()->message());
    std::string sent;
    std::string openedDevice;
    page->openPort = [&](const std::string& device, int baud, std::string&) -> std::unique_ptr<SerialPort> {
        openedDevice = device + "@" + std::to_string(baud);
        return std::make_unique<RecordingPort>(sent);
    };
    page->port()->setCurrentIndex(1);
    page->baud()->setCurrentIndex(4);
    page->arwoType()->setCurrentIndex(0);
    page->send();
    EXPECT_EQ(openedDevice, "/dev/ttyS1@9600");
    ASSERT_GT(sent.size(), 8u);
    EXPECT_EQ(sent.front(), '\x01');
    EXPECT_EQ(sent.back(), '\x04');
    EXPECT_NE(sent.find(";\n\r\n\r"), std::string::npos);
    EXPECT_TRUE(dialogs_.messages.empty());
    ASSERT_FALSE(dialogs_.notices.empty());
    EXPECT_EQ(dialogs_.notices.back(), "\n\n\nTransmitting WMO message....");

    page->openPort = [](const std::string&, int, std::string& error) -> std::unique_ptr<SerialPort> {
        error = "no such device";
        return nullptr;
    };
    page->send();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages.front().find("no such device"), std::string::npos);
}

// The desktop's own serial port on one end of a pseudo-terminal pair, an
// XMODEM receiver standing in for the aircraft system on the other.
TEST_F(CommTabTest, Wc130jSendHandsTheMessageFileToTheReceiver) {
    REQUIRE_PTY_PAIR(pair);
    CommPage* page = openCommTab();
    ASSERT_TRUE(page && view_->document().processor()->message());
    PosixSerialPort receiver;
    ASSERT_TRUE(receiver.open(pair.b, 9600)) << receiver.errorText();
    std::atomic<bool> failed{false};
    std::string received;
    std::thread thread([&] { received = receiveXmodem(receiver, failed); });

    page->port()->addItem("pty", QString::fromStdString(pair.a));
    page->port()->setCurrentIndex(page->port()->count() - 1);
    page->baud()->setCurrentIndex(4);
    page->arwoType()->setCurrentIndex(1);
    page->send();
    thread.join();

    const std::string text = wc130jText(view_->document().processor()->message()->lines());
    EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front();
    EXPECT_FALSE(failed);
    ASSERT_GE(received.size(), text.size());
    EXPECT_EQ(received.substr(0, text.size()), text);
    EXPECT_EQ(received.find_first_not_of('\x1A', text.size()), std::string::npos);
    EXPECT_EQ(page->progress()->maximum(), static_cast<int>(text.size()));
    EXPECT_EQ(page->progress()->value(), page->progress()->maximum());
    EXPECT_FALSE(page->progress()->isVisible());
    ASSERT_FALSE(dialogs_.notices.empty());
    EXPECT_EQ(dialogs_.openNotices, 0);
}

}  // namespace
}  // namespace velta::test
