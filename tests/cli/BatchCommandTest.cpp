// velta-batch as a user runs it: help, a sample drop, rejected files, bad
// options, and a configuration that is never written.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/wait.h>

#include "TestData.h"

namespace velta {
namespace {

struct BatchRun {
    int exitCode = -1;
    std::string out;
};

// Runs velta-batch; out holds standard output, and standard error too unless dropped.
BatchRun batch(const std::string& args, bool withErrors = true) {
    BatchRun run;
    const std::string command = std::string(VELTA_BATCH_EXE) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
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

std::map<std::string, std::string> directoryContents(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] = test::readFile(entry.path().string());
    return files;
}

TEST(BatchCommand, WritesEveryOutputAndParallelRunsMatchSerialOnes) {
    const std::string samples = quoted(test::sourcePath("samples/D20250915_174512.1")) + " " +
                                quoted(test::sourcePath("samples/D20250915_181630.1")) + " " +
                                quoted(test::sourcePath("samples/D20250916_203000.1"));
    const std::string common = "--message-time 2025-09-15T18:01 --mission 0411A --observation 07 -w all ";
    const std::string serial = test::scratchDir("batch-out-serial") + "/out";  // created by the run
    const std::string parallel = test::scratchDir("batch-out-parallel");
    // Standard output only: standard error carries the progress lines.
    BatchRun one = batch(common + "-j 1 -o " + quoted(serial) + " " + samples, false);
    BatchRun two = batch(common + "--jobs 2 -o " + quoted(parallel) + " " + samples, false);
    ASSERT_EQ(one.exitCode, 0) << one.out;
    ASSERT_EQ(two.exitCode, 0) << two.out;
    EXPECT_EQ(one.out, two.out);
    auto a = directoryContents(serial), b = directoryContents(parallel);
    EXPECT_EQ(a.size(), 33u);
    EXPECT_TRUE(a == b);

    // The message as saved: CR LF line ends, the heading at the given time, the operator's entries.
    const std::string message = a["D20250915_174512.txt"];
    EXPECT_EQ(message.rfind("UZNT13 KNHC 151801\r\nXXAA ", 0), 0u) << message;
    EXPECT_NE(message.find("61616 AF001 WXWXA 0411A        OB 07\r\n"), std::string::npos) << message;
    EXPECT_EQ(a["D20250915_174512QC.csv"].rfind("FileFormat,CSV", 0), 0u);
    EXPECT_EQ(a["D20250915_174512QC.nc"].substr(0, 3), "CDF");
    EXPECT_NE(a["D20250915_174512_levels.txt"].find("Surface Thermodynamic"), std::string::npos);
    EXPECT_NE(a["D20250915_174512_log.txt"].find("QC processing completed"), std::string::npos);
}

TEST(BatchCommand, OutputsNeverReplaceTheInput) {
    const std::string dir = test::scratchDir("batch-not-over-input");
    const std::string input = dir + "/D20250915_174512.txt";  // named like the message output
    std::filesystem::copy_file(test::sourcePath("samples/D20250915_174512.1"), input);
    const std::string before = test::readFile(input);
    BatchRun run = batch("--show none -w message -o " + quoted(dir) + " " + quoted(input));
    EXPECT_NE(run.out.find("is the input file; not written"), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(input), before);
}

TEST(BatchCommand, UnwritableOutputDirectoryIsRefused) {
    const std::string dir = test::scratchDir("batch-bad-dir");
    ASSERT_TRUE(test::writeFile(dir + "/file", "x"));
    BatchRun run = batch("-w message -o " + quoted(dir + "/file/sub") + " " + sample());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.out.find("cannot write into the output directory"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace velta
