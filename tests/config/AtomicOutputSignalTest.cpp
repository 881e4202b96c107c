// A process ended by a signal while it writes a file leaves no temporary file behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "TestData.h"
#include "config/AtomicOutput.h"

namespace velta {
namespace {

TEST(AtomicOutputSignal, InterruptedWritesLeaveNoTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string dir = test::scratchDir("atomic-signal-" + std::to_string(signal));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            removeTemporaryFilesOnSignals();
            AtomicOutput out(dir + "/out.txt");
            out.write("half a file");
            std::raise(signal);
            _exit(0);  // not reached
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(std::filesystem::is_empty(dir)) << signal;
    }
}

}  // namespace
}  // namespace velta
