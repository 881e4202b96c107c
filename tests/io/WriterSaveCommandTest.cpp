#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netcdf.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "TestData.h"
#include "WriterTestInput.h"
#include "extern/ScriptedDialogs.h"
#include "io/SaveCommand.h"

namespace velta {
namespace {

using test::linesOf;
using test::WriterRows;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

SaveData saveData(const WriterRows& rows) {
    WriterInput in = test::writerInput(rows, nullptr);
    SaveData data;
    data.header = in.header;
    data.processingLog = in.processingLog;
    data.count = in.count;
    data.columns = in.columns;
    data.formulas = in.formulas;
    data.firstRowIsLaunchPoint = true;
    return data;
}

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    return names;
}

TEST(SaveCommand, FormatNumberFromTheExtension) {
    struct Case {
        const char* path;
        int format;
    };
    for (const Case& c :
         {Case{"/d/a.tvx", TurvaFormat}, Case{"/d/a.nc", NetcdfFormat}, Case{"a.b.csv", CsvFormat},
          Case{"C:\\d\\a.qsf", QsfFormat}, Case{"/d/a.*", AllFilesFilter}, Case{"/d/a.txt", -1},
          Case{"/d/a.TVX", -1}, Case{"/d.x/noext", -1}})
        EXPECT_EQ(saveFormatNumber(c.path), c.format) << c.path;
    EXPECT_EQ(defaultSaveName("/data/D20050827_183401.1", "RAW"), "D20050827_183401RAW");
    EXPECT_EQ(defaultSaveName("D20050827_183401.1", "QC"), "D20050827_183401QC");
}

TEST(SaveCommand, UnknownOrUnsupportedTypeWritesNothing) {
    const std::string dir = test::scratchDir("save-unknown");
    WriterRows rows;
    ScriptedDialogs dialogs;
    EXPECT_EQ(saveDataFile(dialogs, dir + "/drop.txt", saveData(rows)), "");
    EXPECT_EQ(saveDataFile(dialogs, dir + "/drop.TVX", saveData(rows)), "");
    EXPECT_EQ(saveDataFile(dialogs, dir + "/drop.*", saveData(rows)), "");
    EXPECT_THAT(dialogs.messages, ElementsAre("Don't know how to create a file of type .txt",
                                              "Don't know how to create a file of type .TVX",
                                              "File output not yet implemented for type .*"));
    EXPECT_THAT(filesIn(dir), IsEmpty());
}

TEST(SaveCommand, EachFormatWithTheLaunchPointMark) {
    const std::string dir = test::scratchDir("save-formats");
    WriterRows rows;
    const SaveData data = saveData(rows);  // first row marked as the launch point

    // CSV leaves the launch row out (the key block holds it); the others keep every row.
    for (const char* name : {"drop.csv", "drop.qsf", "drop.tvx", "drop.nc"}) {
        const SaveOutcome outcome = saveDataFile(dir + "/" + name, data);
        EXPECT_TRUE(outcome.saved) << name << ": " << outcome.message;
        EXPECT_EQ(outcome.directory, dir);
        EXPECT_EQ(outcome.message, "");
    }
    const auto csv = linesOf(test::readFile(dir + "/drop.csv"));
    EXPECT_EQ(
        std::count_if(csv.begin(), csv.end(), [](const std::string& l) { return l.rfind("Data,", 0) == 0; }),
        2);
    EXPECT_THAT(csv, ::testing::Contains("KarvoEditorVersion,\"0.1.0\""));
    EXPECT_EQ(linesOf(test::readFile(dir + "/drop.qsf")).size(), 14u + 3u);
    const auto tvx = linesOf(test::readFile(dir + "/drop.tvx"));
    ASSERT_EQ(tvx.size(), 15u + 3u);
    EXPECT_EQ(tvx.back().substr(0, 6), "  -1.0");
    int ncid = -1, dim = -1;
    std::size_t length = 0;
    ASSERT_EQ(nc_open((dir + "/drop.nc").c_str(), NC_NOWRITE, &ncid), NC_NOERR);
    ASSERT_EQ(nc_inq_dimid(ncid, "time", &dim), NC_NOERR);
    ASSERT_EQ(nc_inq_dimlen(ncid, dim, &length), NC_NOERR);
    EXPECT_EQ(length, 3u);
    nc_close(ncid);
    // Nothing but the four files: no temporary ones left over.
    EXPECT_EQ(filesIn(dir).size(), 4u);
}

TEST(SaveCommand, WriteFailuresAreReportedAndLeaveNoFile) {
    const std::string dir = test::scratchDir("save-failures");
    WriterRows rows;
    ScriptedDialogs dialogs;
    for (const char* name : {"missing/drop.csv", "missing/drop.qsf", "missing/drop.tvx", "missing/drop.nc"}) {
        const SaveOutcome outcome = saveDataFile(dir + "/" + name, saveData(rows));
        EXPECT_FALSE(outcome.saved) << name;
        EXPECT_EQ(outcome.directory, "") << name;
        EXPECT_THAT(outcome.message, HasSubstr(dir + "/" + name));
    }
    // An existing file the new one cannot replace (a directory in the way) is left as it was.
    std::filesystem::create_directory(dir + "/taken.tvx");
    EXPECT_EQ(saveDataFile(dialogs, dir + "/taken.tvx", saveData(rows)), "");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("taken.tvx"));
    EXPECT_THAT(filesIn(dir), ElementsAre("taken.tvx"));
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/taken.tvx"));
}

TEST(SaveCommand, ReplacesAnExistingFile) {
    const std::string dir = test::scratchDir("save-replace");
    ASSERT_TRUE(test::writeFile(dir + "/drop.qsf", "old"));
    WriterRows rows;
    EXPECT_TRUE(saveDataFile(dir + "/drop.qsf", saveData(rows)).saved);
    EXPECT_THAT(test::readFile(dir + "/drop.qsf"), ::testing::StartsWith("Data Type/Direction:"));
    EXPECT_EQ(filesIn(dir).size(), 1u);
}

}  // namespace
}  // namespace velta
