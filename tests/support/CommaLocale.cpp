#include "CommaLocale.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define VELTA_PAUSE_LEAK_CHECKS 1
#endif

namespace velta::test {

namespace {

// The C library keeps (and loses) a copy of $LOCPATH each time it loads a locale from there;
// that is not ours to free, so the leak checker of sanitizer builds looks away meanwhile.
struct LeakChecksPaused {
#ifdef VELTA_PAUSE_LEAK_CHECKS
    LeakChecksPaused() { __lsan_disable(); }
    ~LeakChecksPaused() { __lsan_enable(); }
#endif
};

}  // namespace

bool CommaLocale::tryLocale(const std::string& name) {
    [[maybe_unused]] const LeakChecksPaused paused;
    if (!std::setlocale(LC_ALL, name.c_str())) return false;
    const std::lconv* conv = std::localeconv();
    if (!conv || std::string(conv->decimal_point) != ",") {
        std::setlocale(LC_ALL, "C");
        return false;
    }
    try {
        std::locale::global(std::locale(name));
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, "C");
        return false;
    }
    // std::locale::global set the C locale too; printf and strtod follow it.
    name_ = name;
    return true;
}

CommaLocale::CommaLocale() : previous_(std::locale()) {
    const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fi_FI.UTF-8", "de_DE"};
    for (const char* name : candidates) {
        if (tryLocale(name)) {
            active_ = true;
            return;
        }
    }
    // None installed: compile one into the build tree and point the C library at it.
    const std::filesystem::path dir = std::filesystem::path(VELTA_BINARY_DIR) / "test-locales";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::filesystem::path target = dir / "de_DE.UTF-8";
    if (!std::filesystem::exists(target / "LC_NUMERIC", ec)) {
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + target.string() + "' >/dev/null 2>&1";
        // localedef answers 1 for mere warnings; the files tell whether it worked.
        (void)std::system(command.c_str());
    }
    if (std::filesystem::exists(target / "LC_NUMERIC", ec)) {
        ::setenv("LOCPATH", dir.c_str(), 1);
        if (tryLocale("de_DE.UTF-8")) {
            active_ = true;
            return;
        }
    }
    why_ = "no comma-decimal locale is installed and localedef could not make de_DE.UTF-8 (install the "
           "Debian package 'locales': scripts/install-deps)";
}

CommaLocale::~CommaLocale() {
    std::locale::global(previous_);
    std::setlocale(LC_ALL, "C");
}

std::string reviewPath(const std::string& fileName) {
    const std::filesystem::path dir = std::filesystem::path(VELTA_BINARY_DIR) / "review";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return (dir / fileName).string();
}

}  // namespace velta::test
