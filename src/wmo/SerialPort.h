// A byte link to the aircraft system: write, and read with a time limit. The
// desktop wraps its serial port class in the same interface; PosixSerialPort
// drives a tty device directly.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace velta {

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Writes all bytes (waiting until they are handed to the device); false on
    // an error.
    virtual bool write(const char* data, std::size_t size) = 0;
    bool write(const std::string& bytes) { return write(bytes.data(), bytes.size()); }
    // Reads up to size bytes, waiting at most timeout for the first; answers
    // the count, 0 when the time ran out, -1 on an error.
    virtual long read(char* data, std::size_t size, std::chrono::milliseconds timeout) = 0;
    // Drops bytes received and not yet read.
    virtual void discardInput() = 0;
};

// The baud rates of the settings list, by index; 0 outside it.
int baudRateForIndex(int index);
inline constexpr int BaudRateCount = 7;
// The device of port number n (1 to 8, the stored port index plus one) on this
// system: "/dev/ttyS" followed by n - 1.
std::string commPortDevice(int portNumber);

}  // namespace velta
