#include "wmo/SerialPort.h"

namespace velta {

int baudRateForIndex(int index) {
    static constexpr int Rates[BaudRateCount] = {300, 1200, 2400, 4800, 9600, 19200, 38400};
    return index >= 0 && index < BaudRateCount ? Rates[index] : 0;
}

std::string commPortDevice(int portNumber) { return "/dev/ttyS" + std::to_string(portNumber - 1); }

}  // namespace velta
