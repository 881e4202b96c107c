#include "ui/QtSerialPort.h"

namespace velta {

namespace {
constexpr int WriteTimeoutMs = 30000;
}

QtSerialPort::QtSerialPort(const QString& device, int baudRate) {
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) return;
    port_.setBaudRate(baudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialPort::write(const char* data, std::size_t size) {
    if (!port_.isOpen()) return false;
    qint64 done = 0;
    while (done < static_cast<qint64>(size)) {
        const qint64 n = port_.write(data + done, static_cast<qint64>(size) - done);
        if (n < 0) return false;
        done += n;
    }
    while (port_.bytesToWrite() > 0)
        if (!port_.waitForBytesWritten(WriteTimeoutMs)) return false;
    return true;
}

long QtSerialPort::read(char* data, std::size_t size, std::chrono::milliseconds timeout) {
    if (!port_.isOpen()) return -1;
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(static_cast<int>(timeout.count())))
        return port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError ? 0 : -1;
    const qint64 n = port_.read(data, static_cast<qint64>(size));
    return n < 0 ? -1 : static_cast<long>(n);
}

void QtSerialPort::discardInput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

}  // namespace velta
