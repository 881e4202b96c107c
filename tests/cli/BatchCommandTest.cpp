// velta-batch as a user runs it: help, a sample drop, rejected files, bad
// options, and a configuration that is never written.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "TestData.h"

namespace velta {
namespace {

struct BatchRun {
    int exitCode = -1;
    std::string out;  // stdout and stderr together
};

BatchRun batch(const std::string& args) {
    BatchRun run;
    const std::string command = std::string(VELTA_BATCH_EXE) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

std::string sample() { return quoted(test::sourcePath("samples/D20250915_174512.1")); }

TEST(BatchCommand, HelpAndVersion) {
    BatchRun help = batch("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("FILE"), std::string::npos);
    EXPECT_NE(help.out.find("--option"), std::string::npos);
    EXPECT_EQ(batch("--version").exitCode, 0);
}

TEST(BatchCommand, ProcessesASampleWithoutWritingTheConfiguration) {
    const std::string dir = test::scratchDir("batch-config");
    std::filesystem::copy_file(test::sourcePath("share/velta.xml"), dir + "/velta.xml");
    std::filesystem::copy_file(test::sourcePath("share/velta.dtd"), dir + "/velta.dtd");
    const std::string before = test::readFile(dir + "/velta.xml");
    BatchRun run = batch("--config " + quoted(dir + "/velta.xml") + " --set Research --option TdryOutlier=4 " + sample());
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("QC processing completed"), std::string::npos);
    EXPECT_NE(run.out.find("raw data records had CRC errors"), std::string::npos);
    EXPECT_EQ(test::readFile(dir + "/velta.xml"), before);
}

TEST(BatchCommand, RejectedFileAmongGoodOnesFailsTheRun) {
    const std::string dir = test::scratchDir("batch-rejected");
    const std::string bad = dir + "/Dgarbage.1";
    ASSERT_TRUE(test::writeFile(bad, "karvo\nthis is no sounding\n"));
    BatchRun run = batch(sample() + " " + quoted(bad));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("QC processing completed"), std::string::npos);
    EXPECT_NE(run.out.find(bad + ": file is not in an acceptable format for Velta.\nNo launch line (LAU) found in file."),
              std::string::npos)
        << run.out;
}

TEST(BatchCommand, ClearErrorsForBadArguments) {
    struct Case {
        std::string args;
        int exitCode;
        const char* message;
    } cases[] = {
        {"--option NoSuchOption=1 " + sample(), 2, "unknown option 'NoSuchOption'"},
        {"--option TdryOutlier=abc " + sample(), 2, "option TdryOutlier needs a number"},
        {"--option launchPresOverride " + sample(), 2, "--option expects Name=value"},
        {"--set NoSuchSet " + sample(), 2, "no configuration set named 'NoSuchSet'"},
        {"--config /nonexistent/velta.xml " + sample(), 1, "Unable to access the configuration file: /nonexistent/velta.xml"},
        {"/nonexistent/D1.1", 2, "File does not exist"},
    };
    for (const Case& c : cases) {
        BatchRun run = batch(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
    }
}

}  // namespace
}  // namespace velta
