// Sends a block of bytes over a serial port with XMODEM: 128-byte blocks with
// a CRC-16 when the receiver starts with "C", or with the one-byte sum when it
// starts with NAK. Every wait has a time limit, so a silent receiver ends the
// transfer with an error instead of holding it forever.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "wmo/SerialPort.h"

namespace velta {

namespace xmodem {
inline constexpr char Soh = 0x01;
inline constexpr char Eot = 0x04;
inline constexpr char Ack = 0x06;
inline constexpr char Nak = 0x15;
inline constexpr char Can = 0x18;
inline constexpr char CrcRequest = 'C';
inline constexpr char Padding = 0x1A;
inline constexpr std::size_t BlockSize = 128;

// CRC-16/XMODEM: polynomial 0x1021, initial value 0.
uint16_t crc16(std::string_view data);
}  // namespace xmodem

struct XmodemTimeouts {
    // The longest wait for the receiver's first "C" or NAK.
    std::chrono::milliseconds start{20000};
    // The longest wait for the answer to one block or to EOT.
    std::chrono::milliseconds answer{5000};
    // Times one block (or EOT) is sent before the transfer is given up.
    int attempts = 10;
};

class XmodemSender {
public:
    // Called after each acknowledged block with the bytes sent so far and the
    // total; answering false cancels the transfer.
    using Progress = std::function<bool(std::size_t sent, std::size_t total)>;

    explicit XmodemSender(SerialPort& port, XmodemTimeouts timeouts = {});
    void setProgress(Progress progress) { progress_ = std::move(progress); }

    // True when the receiver acknowledged every block and the end.
    bool send(std::string_view data);
    // Why the last transfer failed.
    const std::string& errorText() const { return error_; }

private:
    bool waitForStart(bool& useCrc);
    bool sendBlock(const std::string& block);
    bool finish();
    void cancel();
    bool fail(std::string text);

    SerialPort& port_;
    XmodemTimeouts timeouts_;
    Progress progress_;
    std::string error_;
};

}  // namespace velta
