// A serial port whose waits end early once the operator cancels: reads wait
// in short steps and answer an error as soon as the cancel flag is set, so a
// transfer that waits for the receiver stops within a tenth of a second.
#pragma once

#include <atomic>
#include <memory>

#include "wmo/SerialPort.h"

namespace velta {

class CancellablePort : public SerialPort {
public:
    CancellablePort(std::unique_ptr<SerialPort> port, const std::atomic<bool>& cancelled)
        : port_(std::move(port)), cancelled_(cancelled) {}

    bool write(const char* data, std::size_t size) override { return !cancelled_ && port_->write(data, size); }
    long read(char* data, std::size_t size, std::chrono::milliseconds timeout) override;
    void discardInput() override { port_->discardInput(); }

private:
    std::unique_ptr<SerialPort> port_;
    const std::atomic<bool>& cancelled_;
};

}  // namespace velta
