// A configuration save that cannot write its file is shown to the user, with the file and the
// reason, and the changes are written at the next save that can.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TestData.h"
#include "document/KarvoEdDoc.h"
#include "extern/ScriptedDialogs.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

TEST(ConfigurationSave, AFailedSaveIsShownAndRetriedAtTheNextSave) {
    const std::string dir = test::scratchDir("config-save-failure");
    fs::copy_file(test::sourcePath("share/velta.xml"), dir + "/velta.xml");
    fs::copy_file(test::sourcePath("share/velta.dtd"), dir + "/velta.dtd");
    ScriptedDialogs dialogs;
    int exitCode = -1;
    std::unique_ptr<CKarvoEdDoc> doc = CKarvoEdDoc::create(dialogs, "1.2.3", exitCode, dir + "/velta.xml");
    ASSERT_NE(doc, nullptr);

    // The directory goes away under the program (an unmounted share, a removed stick).
    fs::remove_all(dir);
    doc->configuration().option("DataDir")->setText("/data/drops");
    doc->saveConfiguration(true);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string& shown = dialogs.messages.front();
    EXPECT_EQ(shown.rfind("The configuration could not be saved.\n", 0), 0u) << shown;
    EXPECT_NE(shown.find(dir + "/velta.xml"), std::string::npos) << shown;
    EXPECT_NE(shown.find("No such file or directory"), std::string::npos) << shown;

    // Back again: the next save writes the pending change, and says nothing.
    fs::create_directories(dir);
    doc->configuration().option("WmoSaveDir")->setText("/data/messages");
    doc->saveConfiguration(true);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    const std::string written = test::readFile(dir + "/velta.xml");
    EXPECT_NE(written.find("<current>/data/drops</current>"), std::string::npos);
    EXPECT_NE(written.find("<current>/data/messages</current>"), std::string::npos);
}

TEST(ConfigurationSave, ValuesMendedOnLoadAreInTheProcessingLog) {
    const std::string dir = test::scratchDir("config-mended-log");
    std::string xml = test::readFile(test::sourcePath("share/velta.xml"));
    // An earlier version left TdrySmoothWL of the active set without values.
    const std::string option = "<option name=\"TdrySmoothWL\" type=\"numeric\">";
    const std::size_t at = xml.find(option);
    ASSERT_NE(at, std::string::npos);
    const std::size_t end = xml.find("</option>", at);
    xml.replace(at, end - at, option + "<current></current><default></default>");
    ASSERT_TRUE(test::writeFile(dir + "/velta.xml", xml));
    fs::copy_file(test::sourcePath("share/velta.dtd"), dir + "/velta.dtd");

    ScriptedDialogs dialogs;
    int exitCode = -1;
    std::unique_ptr<CKarvoEdDoc> doc = CKarvoEdDoc::create(dialogs, "1.2.3", exitCode, dir + "/velta.xml");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->open(test::sourcePath("samples/D20250915_174512.1")));
    EXPECT_EQ(doc->configuration().numericValue("TdrySmoothWL"), 5.0);
    EXPECT_EQ(doc->processor()->logLines("Configuration"),
              (std::vector<std::string>{"Option TdrySmoothWL of set 'Hurricane' had no value in the configuration "
                                        "file; it was given its default 5.000000"}));
    EXPECT_TRUE(doc->processor()->logLines("QC Processing Errors").empty());
}

}  // namespace
}  // namespace velta
