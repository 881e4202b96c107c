// Creating or replacing a file (configuration, message, sounding output) so
// that the chosen path holds either its old content or the complete new file,
// never a half-written one.
#pragma once

#include <string>

namespace velta {

// A temporary file next to the target, renamed over the target by commit().
// When the object goes away without a successful commit, the temporary file is
// removed. A symbolic link at the target is followed; an existing target keeps
// its permissions, a new one gets the ones the process would give any new file.
class AtomicOutput {
public:
    explicit AtomicOutput(const std::string& path);
    ~AtomicOutput();
    AtomicOutput(const AtomicOutput&) = delete;
    AtomicOutput& operator=(const AtomicOutput&) = delete;

    // False when the temporary file could not be created; errorText() says why.
    bool ok() const { return fd_ >= 0 || committed_; }
    const std::string& errorText() const { return error_; }
    // The temporary file to write into (by write() or by a library that opens it by name).
    const std::string& temporaryPath() const { return temp_; }

    // Appends bytes to the temporary file; false (with errorText) on failure.
    bool write(const std::string& bytes);
    // Flushes the temporary file to disk and renames it over the target.
    bool commit();

private:
    bool fail(const std::string& what, int error);

    std::string target_;
    std::string temp_;
    std::string error_;
    int slot_ = -1;  // the entry in the table of temporary files
    int fd_ = -1;
    bool committed_ = false;
};

// The bytes as the whole content of path, by way of AtomicOutput. Empty on
// success, otherwise the reason for the failure (the old file, if any, is left as it was).
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

// Every temporary file of a live AtomicOutput is listed in a fixed table of the
// process, so that a signal handler can remove them. Removes each one listed;
// safe to call from a signal handler.
void removeTemporaryFiles();
// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove the temporary
// files and then end the process by the same signal.
void removeTemporaryFilesOnSignals();

}  // namespace velta
