// A serial port that records what is written and answers nothing: the ARWO
// link for tests of Send.
#pragma once

#include <string>

#include "wmo/SerialPort.h"

namespace velta::test {

class RecordingPort : public SerialPort {
public:
    explicit RecordingPort(std::string& sink) : sink_(sink) {}
    bool write(const char* data, std::size_t size) override {
        sink_.append(data, size);
        return true;
    }
    long read(char*, std::size_t, std::chrono::milliseconds) override { return 0; }
    void discardInput() override {}

private:
    std::string& sink_;
};

}  // namespace velta::test
