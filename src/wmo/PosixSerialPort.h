// A tty device as a serial port: raw mode, 8 data bits, no parity, one stop
// bit, no flow control, at the chosen baud rate.
#pragma once

#include <string>

#include "wmo/SerialPort.h"

namespace velta {

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // Opens the device and sets it up; false (with errorText) when the device
    // cannot be opened or the baud rate is not one the system knows.
    bool open(const std::string& path, int baudRate);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& errorText() const { return error_; }

    bool write(const char* data, std::size_t size) override;
    using SerialPort::write;
    long read(char* data, std::size_t size, std::chrono::milliseconds timeout) override;
    void discardInput() override;

private:
    int fd_ = -1;
    std::string error_;
};

}  // namespace velta
