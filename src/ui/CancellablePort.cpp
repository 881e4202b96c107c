#include "ui/CancellablePort.h"

#include <algorithm>

namespace velta {

long CancellablePort::read(char* data, std::size_t size, std::chrono::milliseconds timeout) {
    constexpr std::chrono::milliseconds step(100);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (cancelled_) return -1;  // an error ends the transfer's wait at once
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const long got = port_->read(data, size, std::clamp(left, std::chrono::milliseconds(0), step));
        if (got != 0 || left <= step) return got;
    }
}

}  // namespace velta
