#include "wmo/ArwoTransmission.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "wmo/Wc130hFrame.h"

namespace velta {

namespace {

// Creates the file exclusively (no following of a link planted under that
// name) and writes the bytes.
bool createFile(const std::string& path, const std::string& bytes, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(path.c_str());
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        error = std::strerror(errno);
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

bool readBack(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[4096];
    std::size_t n = 0;
    bytes.clear();
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace

ArwoResult sendWc130h(SerialPort& port, const std::vector<std::string>& lines) {
    ArwoResult result;
    if (!port.write(wc130hFrame(lines))) {
        result.message = "Error transmitting WMO message to ARWO";
        result.detail = "Write error on the serial port";
        return result;
    }
    result.ok = true;
    return result;
}

std::string wc130jText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string wc130jFileName(std::time_t utc) {
    static constexpr const char* Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm t{};
    gmtime_r(&utc, &t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d%s%04d-%02d%02d%02d", t.tm_mday, Months[t.tm_mon % 12], t.tm_year + 1900,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::string temporaryDirectory() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    return ec || dir.empty() ? std::string("/tmp") : dir.string();
}

ArwoResult sendWc130j(SerialPort& port, const std::vector<std::string>& lines, const Wc130jTransfer& transfer) {
    ArwoResult result;
    const std::string name = wc130jFileName(transfer.now);
    const std::string path = (std::filesystem::path(transfer.directory) / name).string();
    std::string error;
    if (!createFile(path, wc130jText(lines), error)) {
        result.message = Wc130jTempFileError + path;
        result.detail = error;
        return result;
    }
    std::string bytes;
    if (!readBack(path, bytes)) {
        ::unlink(path.c_str());
        result.message = Wc130jErrorText;
        result.detail = "Cannot read the temporary file " + path;
        return result;
    }
    XmodemSender sender(port, transfer.timeouts);
    if (transfer.progress) sender.setProgress(transfer.progress);
    result.ok = sender.send(bytes);
    if (!result.ok) {
        result.message = Wc130jErrorText;
        result.detail = sender.errorText();
    }
    ::unlink(path.c_str());
    return result;
}

}  // namespace velta
