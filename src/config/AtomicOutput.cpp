#include "config/AtomicOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace velta {

namespace {

std::string systemMessage(int error) { return std::error_code(error, std::generic_category()).message(); }

std::string randomSuffix() {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::mt19937 engine(device());
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof letters) - 2);
    std::string s(8, 'x');
    for (char& c : s) c = letters[pick(engine)];
    return s;
}

// The table of temporary files a signal handler removes. A slot is free (0),
// being filled or emptied (1), or holds a path (2); the handler only reads
// slots that hold a path, so it never sees one half-written.
constexpr int kSlots = 256;
constexpr std::size_t kPathBytes = 4096;
struct TemporarySlot {
    std::atomic<int> state{0};
    char path[kPathBytes];
};
TemporarySlot temporarySlots[kSlots];

int listTemporary(const std::string& path) {
    if (path.size() >= kPathBytes) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (!temporarySlots[i].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(temporarySlots[i].path, path.c_str(), path.size() + 1);
        temporarySlots[i].state.store(2);
        return i;
    }
    return -1;
}

void unlistTemporary(int slot) {
    if (slot >= 0) temporarySlots[slot].state.store(0);
}

void removeAndReraise(int signal) {
    removeTemporaryFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void removeTemporaryFiles() {
    for (TemporarySlot& slot : temporarySlots) {
        int expected = 2;
        if (slot.state.compare_exchange_strong(expected, 1)) {
            ::unlink(slot.path);
            slot.state.store(0);
        }
    }
}

void removeTemporaryFilesOnSignals() {
    struct sigaction action {};
    action.sa_handler = removeAndReraise;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

AtomicOutput::AtomicOutput(const std::string& path) : target_(path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    target_ = target.string();
    if (target.filename().empty()) {
        error_ = "Could not create the file " + path + ": no file name";
        return;
    }
    const fs::path dir = target.parent_path();
    // O_EXCL on a fresh name; mode 0666 lets the process's umask decide, as for
    // any new file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name.append(target.filename().string()).append(".").append(randomSuffix());
        const std::string candidate = (dir / name).string();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temp_ = candidate;
            slot_ = listTemporary(temp_);
            break;
        }
        if (errno != EEXIST) {
            fail("create", errno);
            return;
        }
    }
    if (fd_ < 0) {
        fail("create", EEXIST);
        return;
    }
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd_, old.st_mode & 07777);
}

AtomicOutput::~AtomicOutput() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
    unlistTemporary(slot_);
}

bool AtomicOutput::fail(const std::string& what, int error) {
    error_ = "Could not " + what + " the file " + target_ + ": " + systemMessage(error);
    return false;
}

bool AtomicOutput::write(const std::string& bytes) {
    if (fd_ < 0) return false;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write", errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicOutput::commit() {
    if (committed_) return true;
    if (fd_ < 0) return false;
    // Whatever wrote the temporary file by name (the netCDF library) has closed
    // it; this descriptor still reaches the same file for the flush.
    if (::fsync(fd_) != 0) {
        const int e = errno;
        ::close(fd_);
        fd_ = -1;
        return fail("write", e);
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return fail("write", errno);
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return fail("replace", errno);
    committed_ = true;
    unlistTemporary(slot_);
    slot_ = -1;
    const std::string dir = std::filesystem::path(target_).parent_path().string();
    const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes) {
    AtomicOutput out(path);
    if (!out.ok() || !out.write(bytes) || !out.commit()) return out.errorText();
    return {};
}

}  // namespace velta
