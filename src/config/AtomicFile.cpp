#include "config/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace velta {

namespace {

bool writeAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool replaceFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    fs::path dir = target.parent_path();
    std::string hidden = ".";
    hidden.append(target.filename().string());
    hidden.append(".XXXXXX");
    std::string pattern = (dir / hidden).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');

    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(name.data(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    // Make the rename itself durable.
    int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace velta
