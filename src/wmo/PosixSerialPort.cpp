#include "wmo/PosixSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <thread>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace velta {

namespace {

speed_t speedFor(int baudRate) {
    switch (baudRate) {
        case 300: return B300;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B0;
    }
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { close(); }

bool PosixSerialPort::open(const std::string& path, int baudRate) {
    close();
    const speed_t speed = speedFor(baudRate);
    if (speed == B0) {
        error_ = "Unsupported baud rate " + std::to_string(baudRate);
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = "Cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        error_ = "Not a serial device: " + path;
        ::close(fd);
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        error_ = "Cannot set up " + path + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    error_.clear();
    return true;
}

void PosixSerialPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool PosixSerialPort::write(const char* data, std::size_t size) {
    if (fd_ < 0) return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd_, POLLOUT, 0};
            // A device that takes nothing for this long is taken as gone.
            const int r = ::poll(&p, 1, 10000);
            if (r > 0 && !(p.revents & (POLLERR | POLLHUP | POLLNVAL))) continue;
            if (r < 0 && errno == EINTR) continue;
        }
        error_ = "Write error on the serial port";
        return false;
    }
    tcdrain(fd_);
    return true;
}

long PosixSerialPort::read(char* data, std::size_t size, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const ssize_t n = ::read(fd_, data, size);
        if (n > 0) return static_cast<long>(n);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            // A pseudo-terminal whose other end is not open answers EIO: no
            // data yet, as a cable without a partner would give.
            if (errno != EIO) return -1;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                 std::chrono::steady_clock::now());
        if (left.count() <= 0) return 0;
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
        if (r < 0 && errno != EINTR) return -1;
        // A hung-up pseudo-terminal reports itself ready at once; wait a
        // little so that the time limit is kept without spinning.
        if (r > 0 && !(p.revents & POLLIN)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PosixSerialPort::discardInput() {
    if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
}

}  // namespace velta
