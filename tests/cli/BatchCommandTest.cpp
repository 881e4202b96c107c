// velta-batch as a user runs it: help, a sample drop, rejected files, bad
// options, and a configuration that is never written.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "TestData.h"

namespace velta {
namespace {

struct BatchRun {
    int exitCode = -1;
    std::string out;
};

// Runs a shell command line, at most a minute; out holds its standard output.
BatchRun shell(const std::string& command) {
    BatchRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::string kBatch = std::string("timeout 60 ") + VELTA_BATCH_EXE;

// Runs velta-batch; out holds standard output, and standard error too unless dropped.
BatchRun batch(const std::string& args, bool withErrors = true) {
    return shell(kBatch + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null"));
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

TEST(BatchCommand, SummaryNamesTheSensorModel) {
    struct Case {
        const char* options;
        const char* line;
    };
    for (const Case& c : {Case{"", "Sensor response: RS80 T sensor (the file names no sonde type)\n"},
                          Case{"--option SensorResponse=2 --option FastSensorTau=0.4 ",
                               "Sensor response: fast sensor, 0.40 s at 1000 mb (set by SensorResponse)\n"}}) {
        BatchRun run = batch(std::string("--show summary ") + c.options + sample());
        EXPECT_EQ(run.exitCode, 0) << run.out;
        EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
    }
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
        // Heading and remark entries only as the code form allows them.
        {"--icao \"$(printf 'K\\nNHC')\" " + sample(), 2, "--icao: expected four letters A to Z"},
        {"--icao '' " + sample(), 2, "--icao: expected four letters A to Z"},
        {"--icao KNH " + sample(), 2, "--icao: expected four letters A to Z"},
        {"--agency \"$(printf 'AF\\001')\" " + sample(), 2, "--agency: expected at most 5 printable ASCII characters"},
        {"--mission \"$(printf '\\303\\251t\\303\\251')\" " + sample(), 2, "--mission: expected at most 12 printable ASCII"},
        {"--atcf AL0920251 " + sample(), 2, "--atcf: expected at most 8 printable ASCII characters"},
        {"--message-time 2025-02-30T10:00 " + sample(), 2, "expected YYYY-MM-DDTHH:MM"},
        {"--azimuth nan " + sample(), 2, "expected 0 to 360 degrees"},
        {"--azimuth 361 " + sample(), 2, "expected 0 to 360 degrees"},
        {"--option launchLonOverride=720 " + sample(), 2, "launchLonOverride must be from -180 to 180 degrees"},
        {"--option launchPresOverride=1e308 " + sample(), 2, "launchPresOverride must be from 1 to 1100 mb"},
        {"--option launchPresOverride=-1e308 " + sample(), 2, "launchPresOverride must be from 1 to 1100 mb"},
        {"--option launchRhOverride=101 " + sample(), 2, "launchRhOverride must be from 0 to 100 %"},
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

TEST(BatchCommand, NoOutputReplacesAnyInputOfTheRun) {
    const std::string dir = test::scratchDir("batch-not-over-inputs");
    std::filesystem::copy_file(test::sourcePath("samples/D20250915_174512.1"), dir + "/X.1");
    // Another input named as the first one's QC output.
    std::filesystem::copy_file(test::sourcePath("samples/csv_example.csv"), dir + "/XQC.csv");
    const std::string before = test::readFile(dir + "/XQC.csv");
    BatchRun run = batch("--show none -w qc-csv -o " + quoted(dir) + " " + quoted(dir + "/X.1") + " " +
                         quoted(dir + "/XQC.csv"));
    EXPECT_EQ(run.exitCode, 3) << run.out;
    EXPECT_NE(run.out.find(dir + "/XQC.csv: is an input of this run; not written"), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(dir + "/XQC.csv"), before);
}

TEST(BatchCommand, InputsWhoseOutputsWouldShareNamesAreRefused) {
    const std::string dir = test::scratchDir("batch-same-names");
    std::filesystem::create_directories(dir + "/a");
    std::filesystem::create_directories(dir + "/b");
    std::filesystem::copy_file(test::sourcePath("samples/D20250915_174512.1"), dir + "/a/D.1");
    std::filesystem::copy_file(test::sourcePath("samples/D20250915_181630.1"), dir + "/b/D.1");
    const std::string out = dir + "/out";
    BatchRun run = batch("--show none -w message -o " + quoted(out) + " " + quoted(dir + "/a/D.1") + " " +
                         quoted(dir + "/b/D.1"));
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_NE(run.out.find(dir + "/b/D.1: its outputs would have the names of those of " + dir +
                           "/a/D.1; not processed."),
              std::string::npos)
        << run.out;
    BatchRun alone = batch("--show message --message-time 2025-09-15T18:01 " + quoted(dir + "/a/D.1"), false);
    BatchRun both = batch("--show message --message-time 2025-09-15T18:01 -w message -o " + quoted(out) + " " +
                          quoted(dir + "/a/D.1") + " " + quoted(dir + "/b/D.1"), false);
    EXPECT_EQ(both.out, alone.out);  // the second file is not processed at all
}

TEST(BatchCommand, APlantedSymbolicLinkIsReplacedNotWrittenThrough) {
    const std::string dir = test::scratchDir("batch-symlink");
    const std::string victim = dir + "/victim.txt";
    ASSERT_TRUE(test::writeFile(victim, "precious"));
    std::filesystem::create_directories(dir + "/out");
    std::filesystem::create_symlink(victim, dir + "/out/D20250915_174512.txt");
    BatchRun run = batch("--show none -w message -o " + quoted(dir + "/out") + " " + sample());
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(test::readFile(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(dir + "/out/D20250915_174512.txt"));
    EXPECT_EQ(test::readFile(dir + "/out/D20250915_174512.txt").rfind("UZNT13 KNHC ", 0), 0u);
}

TEST(BatchCommand, EveryFailedWriteIsSaidAndFailsTheRun) {
    struct Case {
        std::string command;
        const char* message;
    } cases[] = {
        {kBatch + " --show none -w message -o /proc " + sample() + " 2>&1", "/proc/D20250915_174512.txt: Could not"},
        {"{ " + kBatch + " " + sample() + " >/dev/full; } 2>&1", "velta-batch: cannot write to standard output"},
        {"{ " + kBatch + " --help >/dev/full; } 2>&1", ""},
    };
    for (const Case& c : cases) {
        BatchRun run = shell(c.command);
        EXPECT_EQ(run.exitCode, 3) << c.command << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.command << "\n" << run.out;
    }
}

TEST(BatchCommand, AFileWithoutDataForAMessageIsNotProcessed) {
    const std::string dir = test::scratchDir("batch-no-data");
    const std::string input = dir + "/Dempty.csv";
    std::string text = "FileFormat,CSV\nYear,2025\nMonth,9\nDay,15\nHour,17\nMinute,45\nSecond,12\nAscending,false\n"
                       "Fields,Time,Pressure,Temperature,RH,Speed,Direction\n";
    for (int t = -1; t < 60; ++t) text += "Data," + std::to_string(t) + ",,,,,\n";
    ASSERT_TRUE(test::writeFile(input, text));
    BatchRun run = batch("--show summary,message -w message -o " + quoted(dir) + " " + quoted(input));
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_NE(run.out.find(input + ": No WMO message coded: quality control left no pressure data."),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("XXAA"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(dir + "/Dempty.txt"));
}

TEST(BatchCommand, InputsThatAreNoRegularFilesAreRefused) {
    const std::string dir = test::scratchDir("batch-not-regular");
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string args;
        int exitCode;
        std::string message;
    } cases[] = {
        {"/dev/zero " + sample(), 1, "/dev/zero: is not a regular file; not read."},
        {quoted(fifo), 1, fifo + ": is not a regular file; not read."},
        {"--config " + quoted(fifo) + " " + sample(), 1, "Unable to access the configuration file: " + fifo},
    };
    for (const Case& c : cases) {
        BatchRun run = batch("--show none " + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
    }
}

// The drop lost at 955 mb: its finding is said on standard error and in the
// summary; only --strict makes it fail the run, and a rejected file counts first.
TEST(BatchCommand, FindingsAreListedAndStrictFailsOnThem) {
    const std::string lost = quoted(test::sourcePath("samples/D20250915_181630.1"));
    BatchRun plain = batch(lost);
    EXPECT_EQ(plain.exitCode, 0) << plain.out;
    EXPECT_NE(plain.out.find("Drop Diagnosis:\n  Signal lost before the surface"), std::string::npos) << plain.out;
    BatchRun errors = shell(kBatch + " --show none " + lost + " 2>&1");
    EXPECT_NE(errors.out.find("D20250915_181630.1: Signal lost before the surface"), std::string::npos) << errors.out;
    EXPECT_EQ(batch("--strict " + lost).exitCode, 4);
    BatchRun good = batch("--strict " + sample());
    EXPECT_EQ(good.exitCode, 0) << good.out;
    EXPECT_EQ(good.out.find("Drop Diagnosis"), std::string::npos);
    BatchRun both = batch("--strict --show none " + sample() + " " + lost);
    EXPECT_EQ(both.exitCode, 4);
    EXPECT_NE(both.out.find("2 files processed, 0 rejected, 0 with QC errors, 1 with findings"), std::string::npos)
        << both.out;

    const std::string dir = test::scratchDir("batch-strict");
    const std::string bad = dir + "/Dgarbage.1";
    ASSERT_TRUE(test::writeFile(bad, "karvo\nthis is no sounding\n"));
    EXPECT_EQ(batch("--strict " + lost + " " + quoted(bad)).exitCode, 1);
}

TEST(BatchCommand, HelpDocumentsTheExitStatuses) {
    BatchRun help = batch("--help");
    for (const char* text : {"Exit status: 0 when", "1 when a file was rejected", "2 for a usage error",
                             "3 when an output file or standard output could not be written",
                             "with --strict, 4 when a drop has a finding"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace velta
