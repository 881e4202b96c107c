// The core's SerialPort over a QSerialPort: 8 data bits, no parity, one stop
// bit at the chosen baud rate.
#pragma once

#include <QSerialPort>
#include <QString>

#include "wmo/SerialPort.h"

namespace velta {

class QtSerialPort : public SerialPort {
public:
    // Opens the device (a name such as "ttyS0" or a path); see isOpen and errorText.
    QtSerialPort(const QString& device, int baudRate);

    bool isOpen() const { return port_.isOpen(); }
    std::string errorText() const { return port_.errorString().toStdString(); }

    bool write(const char* data, std::size_t size) override;
    long read(char* data, std::size_t size, std::chrono::milliseconds timeout) override;
    void discardInput() override;

private:
    QSerialPort port_;
};

}  // namespace velta
