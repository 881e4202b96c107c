// What the programs tell about their build: a readable last-change date, no path of the build
// machine, and the same lines in the files of the desktop and of velta-batch.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "TestData.h"
#include "document/BuildInformation.h"
#include "config/OptionStore.h"
#include "document/DataExport.h"

namespace velta {
namespace {

TEST(BuildInformation, LastChangedDateReadsAsADateAndNoBuildPathIsKept) {
    const std::string date = buildInformationLine("SVNLASTCHANGEDDATE");
    // "Last Changed Date: 2025-09-15 17:45:12 +0000 (Mon, 15 Sep 2025)", or "unknown" outside git.
    const std::regex shape(
        "Last Changed Date: (unknown|(\\d{4})-(\\d\\d)-(\\d\\d) \\d\\d:\\d\\d:\\d\\d [+-]\\d{4} "
        "\\((Mon|Tue|Wed|Thu|Fri|Sat|Sun), (\\d\\d) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) (\\d{4})\\))");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(date, m, shape)) << date;
    if (m[1] != "unknown") {
        EXPECT_EQ(m[4], m[6]) << date;  // the day
        EXPECT_EQ(m[2], m[8]) << date;  // the year
    }
    const std::string source = test::sourcePath("");
    for (const auto& [key, value] : buildInformation()) {
        EXPECT_EQ(value.find(source.substr(0, source.size() - 1)), std::string::npos) << key << ": " << value;
        EXPECT_EQ(key.find("WORKDIR"), std::string::npos) << key;
    }
}

TEST(BuildInformation, DataExportsCarryTheBuildLines) {
    OptionStore store;
    ConfigSet options(store);
    SoundingProcessor processor(options, "1.2.3");
    const DataExport exported(processor, DataKind::QC);
    EXPECT_EQ(exported.data().buildRevision, buildInformationLine("SVNREVISION"));
    EXPECT_EQ(exported.data().buildRevision.rfind("Revision: ", 0), 0u);
    EXPECT_EQ(exported.data().buildLastChangedDate, buildInformationLine("SVNLASTCHANGEDDATE"));
}

}  // namespace
}  // namespace velta
