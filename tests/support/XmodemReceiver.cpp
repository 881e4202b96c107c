#include "XmodemReceiver.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "wmo/XmodemSender.h"

namespace velta::test {

using namespace std::chrono_literals;

std::string receiveXmodem(SerialPort& port, std::atomic<bool>& failed) {
    std::string data;
    bool refused = false;
    uint8_t expected = 1;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    auto readExact = [&](std::string& out, std::size_t n) {
        char buf[256];
        while (out.size() < n && std::chrono::steady_clock::now() < deadline) {
            const long got = port.read(buf, std::min(sizeof buf, n - out.size()), 200ms);
            if (got < 0) return false;
            out.append(buf, static_cast<std::size_t>(got));
        }
        return out.size() == n;
    };
    std::string first;
    while (first.empty() && std::chrono::steady_clock::now() < deadline) {
        port.write(std::string(1, xmodem::CrcRequest));
        readExact(first, 1);
    }
    while (!first.empty()) {
        if (first[0] == xmodem::Eot) {
            port.write(std::string(1, xmodem::Ack));
            return data;
        }
        std::string block;
        if (first[0] != xmodem::Soh || !readExact(block, 2 + xmodem::BlockSize + 2)) break;
        const std::string payload = block.substr(2, xmodem::BlockSize);
        const uint16_t crc = xmodem::crc16(payload);
        const bool good = static_cast<uint8_t>(block[0]) == expected &&
                          static_cast<uint8_t>(block[1]) == 255 - expected &&
                          static_cast<uint8_t>(block[130]) == crc >> 8 && static_cast<uint8_t>(block[131]) == (crc & 0xFF);
        if (!good) break;
        if (!refused) {
            refused = true;
            port.write(std::string(1, xmodem::Nak));
        } else {
            data += payload;
            ++expected;
            port.write(std::string(1, xmodem::Ack));
        }
        first.clear();
        if (!readExact(first, 1)) break;
    }
    failed = true;
    return data;
}

}  // namespace velta::test
