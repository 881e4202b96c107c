// velta-batch installed or moved somewhere else: it finds its default configuration beside
// itself, carries no path of the machine it was built on, and writes the build lines the
// desktop writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "TestData.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
};

Outcome run(const std::string& command) {
    Outcome r;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(BatchInstall, AMovedProgramUsesTheDefaultsBesideItAndWritesTheBuildLines) {
    const fs::path root = test::scratchDir("batch-moved");
    const fs::path prefix = root / "prefix";
    fs::create_directories(prefix / "bin");
    fs::create_directories(root / "work");
    fs::copy_file(VELTA_BATCH_EXE, prefix / "bin/velta-batch");
    const std::string command = "cd '" + (root / "work").string() + "' && env -u VELTACONFIG -u VELTAPROG '" +
                                (prefix / "bin/velta-batch").string() + "' -w qc-csv -o '" +
                                (root / "out").string() + "' '" +
                                test::sourcePath("samples/D20250915_174512.1") + "'";

    // Nothing beside it: no configuration anywhere, however the build machine was laid out.
    const Outcome without = run(command);
    EXPECT_NE(without.exitCode, 0) << without.out;
    EXPECT_NE(without.out.find((prefix / "bin/../share/velta/velta.xml").string()), std::string::npos)
        << without.out;

    fs::create_directories(prefix / "share/velta");
    for (const char* name : {"velta.xml", "velta.dtd"})
        fs::copy_file(test::sourcePath(std::string("share/") + name), prefix / "share/velta" / name);
    const Outcome with = run(command);
    ASSERT_EQ(with.exitCode, 0) << with.out;
    std::string csv;
    for (const auto& e : fs::directory_iterator(root / "out"))
        if (e.path().extension() == ".csv") csv = test::readFile(e.path().string());
    EXPECT_NE(csv.find("\nSvnRevision,\"Revision: "), std::string::npos) << csv.substr(0, 2000);
    EXPECT_NE(csv.find("\nSvnLastChangedDate,\"Last Changed Date: "), std::string::npos);

    // No path of the build machine is compiled in as a text of the program (debug information
    // of a debug build may name the build directory; the program never uses it).
    const std::string program = test::readFile(VELTA_BATCH_EXE);
    const std::string source = fs::path(test::sourcePath("")).parent_path().string();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.find(std::string(1, '\0') + source + '\0'), std::string::npos) << source;
}

}  // namespace
}  // namespace velta
