#include "wmo/XmodemSender.h"

#include <algorithm>
#include <utility>

namespace velta {

namespace xmodem {

uint16_t crc16(std::string_view data) {
    uint16_t crc = 0;
    for (unsigned char c : data) {
        crc = static_cast<uint16_t>(crc ^ (c << 8));
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}

}  // namespace xmodem

namespace {

using Clock = std::chrono::steady_clock;

// One byte within the time left until deadline; nothing when none came.
bool readByte(SerialPort& port, Clock::time_point deadline, char& c) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        const long n = port.read(&c, 1, left);
        if (n == 1) return true;
        if (n < 0) return false;
    }
}

std::string buildBlock(std::string_view data, std::size_t offset, uint8_t number, bool useCrc) {
    std::string payload(data.substr(offset, xmodem::BlockSize));
    payload.resize(xmodem::BlockSize, xmodem::Padding);
    std::string block;
    block += xmodem::Soh;
    block += static_cast<char>(number);
    block += static_cast<char>(255 - number);
    block += payload;
    if (useCrc) {
        const uint16_t crc = xmodem::crc16(payload);
        block += static_cast<char>(crc >> 8);
        block += static_cast<char>(crc & 0xFF);
    } else {
        unsigned sum = 0;
        for (unsigned char c : payload) sum += c;
        block += static_cast<char>(sum & 0xFF);
    }
    return block;
}

}  // namespace

XmodemSender::XmodemSender(SerialPort& port, XmodemTimeouts timeouts) : port_(port), timeouts_(timeouts) {}

bool XmodemSender::fail(std::string text) {
    error_ = std::move(text);
    return false;
}

void XmodemSender::cancel() {
    const char cans[] = {xmodem::Can, xmodem::Can, xmodem::Can};
    port_.write(cans, sizeof cans);
}

bool XmodemSender::waitForStart(bool& useCrc) {
    const auto deadline = Clock::now() + timeouts_.start;
    char c = 0;
    while (readByte(port_, deadline, c)) {
        if (c == xmodem::CrcRequest) {
            useCrc = true;
            return true;
        }
        if (c == xmodem::Nak) {
            useCrc = false;
            return true;
        }
        if (c == xmodem::Can) return fail("The receiver cancelled the transfer");
    }
    return fail("The receiver did not ask for the file");
}

bool XmodemSender::sendBlock(const std::string& block) {
    for (int attempt = 0; attempt < timeouts_.attempts; ++attempt) {
        if (!port_.write(block)) return fail("Write error on the serial port");
        const auto deadline = Clock::now() + timeouts_.answer;
        char c = 0;
        bool cancelSeen = false;
        while (readByte(port_, deadline, c)) {
            if (c == xmodem::Ack) return true;
            if (c == xmodem::Nak) break;
            if (c == xmodem::Can) {
                if (cancelSeen) return fail("The receiver cancelled the transfer");
                cancelSeen = true;
            }
            // Anything else (a late "C", line noise) is skipped.
        }
        port_.discardInput();
    }
    return fail("The receiver did not acknowledge a block");
}

bool XmodemSender::finish() {
    for (int attempt = 0; attempt < timeouts_.attempts; ++attempt) {
        const char eot = xmodem::Eot;
        if (!port_.write(&eot, 1)) return fail("Write error on the serial port");
        const auto deadline = Clock::now() + timeouts_.answer;
        char c = 0;
        while (readByte(port_, deadline, c)) {
            if (c == xmodem::Ack) return true;
            if (c == xmodem::Nak) break;
            if (c == xmodem::Can) return fail("The receiver cancelled the transfer");
        }
    }
    return fail("The receiver did not acknowledge the end of the file");
}

bool XmodemSender::send(std::string_view data) {
    error_.clear();
    bool useCrc = true;
    if (!waitForStart(useCrc)) return false;
    uint8_t number = 1;
    for (std::size_t offset = 0; offset < data.size(); offset += xmodem::BlockSize, ++number) {
        if (!sendBlock(buildBlock(data, offset, number, useCrc))) {
            cancel();
            return false;
        }
        const std::size_t sent = std::min(data.size(), offset + xmodem::BlockSize);
        if (progress_ && !progress_(sent, data.size())) {
            cancel();
            return fail("The transfer was cancelled");
        }
    }
    return finish();
}

}  // namespace velta
