#include "PtyPair.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include "TestData.h"

extern char** environ;

namespace velta::test {

PtyPair::PtyPair(const std::string& name) : dir_(scratchDir(name)) {
    a = dir_ + "/a";
    b = dir_ + "/b";
    const std::string endA = "pty,raw,echo=0,link=" + a;
    const std::string endB = "pty,raw,echo=0,link=" + b;
    const char* argv[] = {"timeout", "40", "socat", endA.c_str(), endB.c_str(), nullptr};
    if (posix_spawnp(&pid_, "timeout", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        pid_ = -1;
        return;
    }
    for (int i = 0; i < 100 && !ready(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

PtyPair::~PtyPair() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

bool PtyPair::ready() const { return pid_ > 0 && std::filesystem::exists(a) && std::filesystem::exists(b); }

bool PtyPair::socatInstalled() { return std::system("command -v socat >/dev/null 2>&1") == 0; }

}  // namespace velta::test
