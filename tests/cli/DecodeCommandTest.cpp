// velta-batch --decode: the table, the CSV, problems by file, line and
// column, and the exit statuses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestData.h"
#include "cli/BatchApp.h"
#include "cli/DecodeCommand.h"

namespace velta {
namespace {

std::string bulletin() { return test::sourcePath("samples/messages/UZNT13_KNHC_200250.txt"); }

int batch(std::vector<std::string> args) {
    args.insert(args.begin(), "velta-batch");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return cli::runBatch(static_cast<int>(argv.size()), argv.data());
}

TEST(DecodeCommand, TableOfTheDecodedLevels) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::runDecode({bulletin()}, false, ".", out, err), 0);
    EXPECT_EQ(err.str(), "");
    const std::string table = out.str();
    EXPECT_NE(table.find("message 1 (line 1): UZNT13 KNHC 200250 XXAA"), std::string::npos) << table;
    EXPECT_NE(table.find("pres mb height m temp C dewpt C         wind  level"), std::string::npos) << table;
    EXPECT_NE(table.find("    850.0     1489   19.0   16.3   315/024 kt  standard                 A"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("    500.0     5870   -4.7  -13.7   295/022 kt  standard"), std::string::npos);
}

TEST(DecodeCommand, CsvProblemsAndExitStatus) {
    const std::string dir = test::scratchDir("decode-csv");
    std::string text = test::readFile(bulletin());
    text.replace(text.find("19027"), 5, "19A27");
    ASSERT_TRUE(test::writeFile(dir + "/broken.txt", text));
    ASSERT_TRUE(test::writeFile(dir + "/empty.txt", "no message here\r\n"));

    std::ostringstream out, err;
    EXPECT_EQ(cli::runDecode({dir + "/broken.txt"}, true, dir, out, err), 0);
    EXPECT_EQ(err.str(), dir + "/broken.txt:3:25: malformed temperature group '19A27'\n");
    const std::string csv = test::readFile(dir + "/broken_decoded.csv");
    EXPECT_EQ(csv.rfind("message,part,level,pressure_mb,height_m,temperature_c,dew_point_c,wind_direction_deg,"
                        "wind_speed,wind_unit\n1,A,surface,1007.0,,29.4,23.4,285,21,kt\n",
                        0),
              0u)
        << csv;
    // The level with the broken group keeps what could be read.
    EXPECT_NE(csv.find("1,A,standard,850.0,1489,,,315,24,kt\n"), std::string::npos) << csv;

    std::ostringstream none, noneErr;
    EXPECT_EQ(cli::runDecode({dir + "/empty.txt", bulletin()}, false, dir, none, noneErr), 1);
    EXPECT_NE(noneErr.str().find("empty.txt: holds no TEMP DROP or TEMP message that could be decoded."),
              std::string::npos);
    EXPECT_NE(none.str().find("UZNT13 KNHC 200250"), std::string::npos) << "the other file still decoded";

    EXPECT_EQ(batch({"--decode", bulletin()}), 0);
    EXPECT_EQ(batch({"--decode", dir + "/empty.txt"}), 1);
    EXPECT_EQ(batch({"-w", "decoded-csv", bulletin()}), 2);
    EXPECT_EQ(batch({"--decode", "-w", "message", bulletin()}), 2);
}

// Decoding follows the batch run's rules for files: only regular inputs are
// read, no CSV replaces an input, and a failed write is reported with status 3.
TEST(DecodeCommand, RefusesWhatABatchRunRefuses) {
    const std::string dir = test::scratchDir("decode-refusals");
    const std::string copy = dir + "/bulletin.txt";
    ASSERT_TRUE(test::writeFile(copy, test::readFile(bulletin())));
    ASSERT_TRUE(test::writeFile(dir + "/bulletin_decoded.csv", "an input of the run\n"));

    std::ostringstream out, err;
    EXPECT_EQ(cli::runDecode({"/dev/zero"}, false, dir, out, err), 1);
    EXPECT_NE(err.str().find("/dev/zero: "), std::string::npos) << err.str();

    std::ostringstream out2, err2;
    EXPECT_EQ(cli::runDecode({copy, dir + "/bulletin_decoded.csv"}, true, dir, out2, err2), cli::DecodeWriteFailed);
    EXPECT_NE(err2.str().find("is an input of this run; not written."), std::string::npos) << err2.str();
    EXPECT_EQ(test::readFile(dir + "/bulletin_decoded.csv"), "an input of the run\n");

    std::ostringstream out3, err3;
    EXPECT_EQ(cli::runDecode({copy}, true, "/proc", out3, err3), cli::DecodeWriteFailed);

    std::ostringstream failing;
    failing.setstate(std::ios::badbit);
    std::ostringstream err4;
    EXPECT_EQ(cli::runDecode({copy}, false, dir, failing, err4), cli::DecodeWriteFailed);
    EXPECT_NE(err4.str().find("standard output could not be written"), std::string::npos);
}

}  // namespace
}  // namespace velta
