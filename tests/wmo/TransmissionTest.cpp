#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "PtyPair.h"
#include "TestData.h"
#include "XmodemReceiver.h"
#include "wmo/ArwoTransmission.h"
#include "wmo/PosixSerialPort.h"
#include "wmo/Wc130hFrame.h"

namespace velta {
namespace {

using namespace std::chrono_literals;
using test::receiveXmodem;

// Reads until the stop byte arrives or the time runs out.
std::string readUntil(SerialPort& port, char stop, std::chrono::milliseconds limit) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buf[256];
    while (std::chrono::steady_clock::now() < deadline) {
        const long n = port.read(buf, sizeof buf, 100ms);
        if (n < 0) break;
        got.append(buf, static_cast<std::size_t>(n));
        if (!got.empty() && got.back() == stop) break;
    }
    return got;
}

TEST(Wc130hFrameTest, LinesTrimmedAndFramed) {
    const std::string stream = wc130hFrame({"UZNT13 KNHC 271900 ", "XXAA 77187 =   ", "  "});
    const std::string body = "UZNT13 KNHC 271900\n\rXXAA 77187 =\n\r\n\r;\n\r\n\r";
    EXPECT_EQ(stream, "\x01" + body + static_cast<char>(wc130hChecksum(body)) + "\x04");
    // A sum past 127 after the modulo is masked before 127 is added.
    EXPECT_EQ(wc130hChecksum(std::string(1, '\xFF')), 0x7F + 127);
    EXPECT_EQ(wc130hChecksum(std::string(2, '\x80')), 127);
}

TEST(TransmissionTest, Wc130hStreamArrivesByteForByte) {
    REQUIRE_PTY_PAIR(pair);
    PosixSerialPort sender;
    PosixSerialPort receiver;
    ASSERT_TRUE(receiver.open(pair.b, 9600)) << receiver.errorText();
    ASSERT_TRUE(sender.open(pair.a, 9600)) << sender.errorText();

    const ArwoResult result = sendWc130h(sender, {"XXAA 77187 = "});
    ASSERT_TRUE(result.ok) << result.detail;
    const std::string expected = std::string("\x01XXAA 77187 =\x0A\x0D\x3B\x0A\x0D\x0A\x0D") + '\xBC' + '\x04';
    EXPECT_EQ(readUntil(receiver, '\x04', 5000ms), expected);
}

TEST(TransmissionTest, Wc130jFileArrivesIntactThroughXmodem) {
    REQUIRE_PTY_PAIR(pair);
    PosixSerialPort sender;
    PosixSerialPort receiver;
    ASSERT_TRUE(receiver.open(pair.b, 38400)) << receiver.errorText();
    ASSERT_TRUE(sender.open(pair.a, 38400)) << sender.errorText();

    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) lines.push_back("XXBB 7718" + std::to_string(i) + " 99215 70916 08132 ");
    const std::string text = wc130jText(lines);
    ASSERT_GT(text.size(), 2 * xmodem::BlockSize);

    std::atomic<bool> failed{false};
    std::string received;
    std::thread thread([&] { received = receiveXmodem(receiver, failed); });

    const std::string dir = test::scratchDir("wc130j_send");
    std::vector<std::size_t> progress;
    Wc130jTransfer transfer;
    transfer.directory = dir;
    transfer.now = 1125167641;
    transfer.timeouts = {5000ms, 2000ms, 5};
    transfer.progress = [&](std::size_t sent, std::size_t total) {
        progress.push_back(sent);
        return total == text.size();
    };
    const ArwoResult result = sendWc130j(sender, lines, transfer);
    thread.join();

    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_FALSE(failed);
    ASSERT_GE(received.size(), text.size());
    EXPECT_EQ(received.substr(0, text.size()), text);
    EXPECT_EQ(received.substr(text.size()), std::string(received.size() - text.size(), xmodem::Padding));
    EXPECT_EQ(progress.back(), text.size());
    EXPECT_EQ(progress.size(), (text.size() + 127) / 128);
    EXPECT_FALSE(std::filesystem::exists(dir + "/27Aug2005-183401"));  // removed afterwards
}

TEST(TransmissionTest, SilentReceiverFailsWithTheMessage) {
    REQUIRE_PTY_PAIR(pair);
    PosixSerialPort sender;
    PosixSerialPort receiver;
    ASSERT_TRUE(receiver.open(pair.b, 9600));
    ASSERT_TRUE(sender.open(pair.a, 9600));

    const std::string dir = test::scratchDir("wc130j_silent");
    Wc130jTransfer transfer;
    transfer.directory = dir;
    transfer.now = 1125167641;
    transfer.timeouts = {1500ms, 500ms, 3};
    const auto start = std::chrono::steady_clock::now();
    const ArwoResult result = sendWc130j(sender, {"XXAA 77187 ="}, transfer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "\n\n\nError transferring TEMP message to ARWO");
    EXPECT_FALSE(result.detail.empty());
    EXPECT_FALSE(std::filesystem::exists(dir + "/27Aug2005-183401"));
}

// A receiver that asks for the file and then falls silent: every block is
// sent the allowed number of times, then the transfer ends.
TEST(TransmissionTest, ReceiverSilentAfterStartFailsAfterTheRetries) {
    REQUIRE_PTY_PAIR(pair);
    PosixSerialPort sender;
    PosixSerialPort receiver;
    ASSERT_TRUE(receiver.open(pair.b, 9600));
    ASSERT_TRUE(sender.open(pair.a, 9600));
    receiver.write(std::string(1, xmodem::CrcRequest));

    XmodemSender xmodemSender(sender, {1000ms, 300ms, 3});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(xmodemSender.send("payload"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(xmodemSender.errorText(), "The receiver did not acknowledge a block");
    // Three copies of the block, then the cancel bytes.
    const std::string got = readUntil(receiver, xmodem::Can, 2000ms);
    EXPECT_EQ(got.size(), 3 * (3 + xmodem::BlockSize + 2) + 3);
}

TEST(TransmissionTest, TemporaryFileNameAndCreationFailure) {
    EXPECT_EQ(wc130jFileName(1125167641), "27Aug2005-183401");
    EXPECT_EQ(wc130jFileName(0), "01Jan1970-000000");

    class NoPort : public SerialPort {
    public:
        bool write(const char*, std::size_t) override {
            written = true;
            return true;
        }
        long read(char*, std::size_t, std::chrono::milliseconds) override { return 0; }
        void discardInput() override {}
        bool written = false;
    } port;

    const std::string dir = test::scratchDir("wc130j_tempfile");
    Wc130jTransfer transfer;
    transfer.now = 1125167641;
    transfer.directory = dir + "/missing";
    ArwoResult result = sendWc130j(port, {"XXAA"}, transfer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, std::string("Error transferring TEMP message to ARWO\nCannot create temporary file: ") +
                                  dir + "/missing/27Aug2005-183401");

    // A file already under that name (or a link planted there) is left alone.
    transfer.directory = dir;
    ASSERT_TRUE(test::writeFile(dir + "/27Aug2005-183401", "keep"));
    result = sendWc130j(port, {"XXAA"}, transfer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(test::readFile(dir + "/27Aug2005-183401"), "keep");
    EXPECT_FALSE(port.written);
}

}  // namespace
}  // namespace velta
