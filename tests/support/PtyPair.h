// A pseudo-terminal pair joined by socat, standing in for a serial cable to
// the aircraft system: what is written to one end arrives at the other.
#pragma once

#include <string>

#include <sys/types.h>

namespace velta::test {

class PtyPair {
public:
    // Starts socat with both ends linked under a scratch directory of the
    // name; socat lives at most 40 s and is stopped with the pair.
    explicit PtyPair(const std::string& name);
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ready() const;
    static bool socatInstalled();

    std::string a;
    std::string b;

private:
    std::string dir_;
    pid_t pid_ = -1;
};

}  // namespace velta::test

// Skips the test when socat is missing; fails it when the pair does not come up.
#define REQUIRE_PTY_PAIR(pair)                                                             \
    if (!::velta::test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed"; \
    ::velta::test::PtyPair pair(test_info_->name());                                        \
    ASSERT_TRUE(pair.ready())
