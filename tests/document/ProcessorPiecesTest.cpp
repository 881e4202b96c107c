// The small pieces of the processing document: version text, processing stamp,
// log line splitting, the data recovery statistics, locating files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "../sounding/MemorySource.h"
#include "TestData.h"
#include "document/FileLocator.h"
#include "document/ProgramVersion.h"
#include "document/RecoveryStatistics.h"
#include "document/SoundingProcessor.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

TEST(ProgramVersion, CleansTheVersionResource) {
    struct Case {
        const char* resource;
        const char* version;
    } cases[] = {{"2, 6, 1, 0", "2.6.1"}, {"2.6.1.0", "2.6.1"}, {"2", "2"}, {"", ""}, {"1, 0", "1"}};
    for (const Case& c : cases) EXPECT_EQ(versionFromResource(c.resource), c.version) << c.resource;
}

TEST(ProgramVersion, StampIsUtcWithEnglishMonth) {
    std::time_t t = 1165636860;  // 2006-12-09 04:01:00 UTC
    EXPECT_EQ(processingStamp("2.6.1", t), "Velta V2.6.1, 09 Dec 2006  04:01 UTC");
}

TEST(ProcessingLog, ErrorTextBecomesOneLinePerPiece) {
    ProcessingLog log;
    addLines(log, "E", "Filter check failed for pressure\nFinal smoothing failed for winds\n");
    addLines(log, "F", "one\ntwo");
    addLines(log, "G", "");
    EXPECT_EQ(log.lines("E"),
              (std::vector<std::string>{"Filter check failed for pressure", "Final smoothing failed for winds"}));
    EXPECT_EQ(log.lines("F"), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(log.lines("G").empty());
    EXPECT_EQ(log.categoryNames(), (std::vector<std::string>{"E", "F"}));
}

TEST(RecoveryStatistics, LinesOfADropWithCrcErrors) {
    test::MemorySource src;
    src.data.ascending = false;
    src.data.pressure = 700.0;  // launch observation: a launch point in RawPres
    for (int i = 0; i < 4; ++i) {
        test::MemorySource::Record r;
        r.time = i;
        r.pres = 700.0 + i;
        r.tdry = i < 3 ? 10.0 : MissingValue;
        r.status = i == 1 ? 1.0 : MissingValue;
        src.add(r);
    }
    Sounding sounding(src);
    sounding.rebuildQCSeries(-1.0, 0, true);
    ProcessingLog log;
    writeRecoveryStatistics(sounding, log);
    const auto& lines = log.lines(kRecoveryCategory);
    ASSERT_EQ(lines.size(), 6u);
    // RawTime holds the four records and the launch point.
    EXPECT_EQ(lines[0], "5 raw data records");
    EXPECT_EQ(lines[1], "1 (20.0%) raw data records had CRC errors");
    // RawPres: 4 records + launch = 5 of 5; QC dropped the CRC record.
    EXPECT_EQ(lines[2],
              "pres :\tinput file reported     5 (100.0%) values, \tQC retained     4 ( 80.0%), \toverall rate:  80.0%");
    EXPECT_EQ(lines[3],
              "tdry :\tinput file reported     3 ( 60.0%) values, \tQC retained     2 ( 66.7%), \toverall rate:  40.0%");
    EXPECT_EQ(lines[5],
              "winds:\tinput file reported     0 (  0.0%) values, \tQC retained     0 (  0.0%), \toverall rate:   0.0%");
}

TEST(RecoveryStatistics, NothingWithoutRecords) {
    test::MemorySource src;
    src.family = 5;
    Sounding sounding(src);
    ProcessingLog log;
    writeRecoveryStatistics(sounding, log);
    // RawTime always gets its launch point, so even an empty file has one record;
    // other families have no CRC line.
    EXPECT_EQ(log.lines(kRecoveryCategory).size(), 5u);
}

TEST(FileLocator, WorkingDirectoryFirstThenVariable) {
    namespace fs = std::filesystem;
    const std::string dir = test::scratchDir("locator");
    const std::string work = dir + "/work", config = dir + "/config";
    fs::create_directories(work);
    fs::create_directories(config);
    ASSERT_TRUE(test::writeFile(config + "/velta.xml", "<x/>"));
    fs::path old = fs::current_path();
    fs::current_path(work);
    setenv("VELTA_TEST_DIR", config.c_str(), 1);

    LocatedFile viaVariable = locateFile("velta.xml", "VELTA_TEST_DIR");
    EXPECT_TRUE(viaVariable.found);
    EXPECT_EQ(viaVariable.path, config + "/velta.xml");

    ASSERT_TRUE(test::writeFile(work + "/velta.xml", "<x/>"));
    LocatedFile local = locateFile("velta.xml", "VELTA_TEST_DIR");
    EXPECT_TRUE(local.found);
    EXPECT_EQ(local.path, "./velta.xml");

    LocatedFile missing = locateFile("velta.dtd", "VELTA_TEST_DIR");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.path, config + "/velta.dtd");
    unsetenv("VELTA_TEST_DIR");
    LocatedFile unset = locateFile("velta.dtd", "VELTA_TEST_DIR");
    EXPECT_EQ(unset.path, "./velta.dtd");
    fs::current_path(old);
}

// A FIFO in the working directory is found without being opened (opening it
// would wait for a writer); reading the configuration then refuses it.
TEST(FileLocator, AFifoIsFoundWithoutOpeningIt) {
    namespace fs = std::filesystem;
    const std::string dir = test::scratchDir("locator-fifo");
    fs::remove(dir + "/velta.xml");
    ASSERT_EQ(mkfifo((dir + "/velta.xml").c_str(), 0600), 0);
    fs::path old = fs::current_path();
    fs::current_path(dir);
    LocatedFile local = locateFile("velta.xml", "VELTA_TEST_DIR");
    fs::current_path(old);
    EXPECT_TRUE(local.found);
    EXPECT_EQ(local.path, "./velta.xml");
}

TEST(FileLocator, DirectoryOfAPath) {
    EXPECT_EQ(directoryOf("/data/drops/D20050827_183401.1"), "/data/drops");
    EXPECT_EQ(directoryOf("C:\\data\\D1.1"), "C:\\data");
    EXPECT_EQ(directoryOf("D1.1"), ".");
    EXPECT_EQ(directoryOf("/D1.1"), "/");
}

}  // namespace
}  // namespace velta
