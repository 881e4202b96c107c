// The processing document over real files: configuration errors, opening
// accepted and rejected soundings, the option commands and the save question.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestData.h"
#include "document/KarvoEdDoc.h"
#include "extern/ScriptedDialogs.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

const char* kSample = "samples/D20250915_174512.1";

// A scratch directory holding a copy of the default configuration files.
std::string configDir(const std::string& name) {
    std::string dir = test::scratchDir(name);
    fs::copy_file(test::sourcePath("share/velta.xml"), dir + "/velta.xml");
    fs::copy_file(test::sourcePath("share/velta.dtd"), dir + "/velta.dtd");
    return dir;
}

struct Opened {
    ScriptedDialogs dialogs;
    std::string dir;
    std::unique_ptr<CKarvoEdDoc> doc;

    explicit Opened(const std::string& name, const char* sample = kSample) : dir(configDir(name)) {
        int exitCode = -1;
        doc = CKarvoEdDoc::create(dialogs, "1.2.3", exitCode, dir + "/velta.xml");
        EXPECT_EQ(exitCode, 0);
        if (doc && sample) {
            EXPECT_TRUE(doc->open(test::sourcePath(sample)));
        }
    }
    std::string configText() const { return test::readFile(dir + "/velta.xml"); }
};

TEST(Document, MissingConfigurationIsFatal) {
    const std::string dir = test::scratchDir("doc-missing");
    fs::path old = fs::current_path();
    fs::current_path(dir);
    const char* saved = std::getenv("VELTACONFIG");
    std::string savedValue = saved ? saved : "";
    unsetenv("VELTACONFIG");

    ScriptedDialogs dialogs;
    int exitCode = 0;
    EXPECT_EQ(CKarvoEdDoc::create(dialogs, "1.2.3", exitCode), nullptr);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Unable to access the configuration file: ./velta.xml"}));

    if (saved) setenv("VELTACONFIG", savedValue.c_str(), 1);
    fs::current_path(old);
}

TEST(Document, BrokenConfigurationIsFatalAndUntouched) {
    const std::string dir = configDir("doc-broken");
    const std::string broken = "<veltaConfig><active>Nowhere</active><set name=\"A\"/></veltaConfig>";
    ASSERT_TRUE(test::writeFile(dir + "/velta.xml", broken));
    ScriptedDialogs dialogs;
    int exitCode = 0;
    EXPECT_EQ(CKarvoEdDoc::create(dialogs, "1.2.3", exitCode, dir + "/velta.xml"), nullptr);
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], configurationBrokenMessage());
    EXPECT_EQ(test::readFile(dir + "/velta.xml"), broken);
}

TEST(Document, OpeningProcessesAndRemembersTheDirectory) {
    Opened o("doc-open");
    ASSERT_TRUE(o.doc);
    EXPECT_EQ(o.doc->loadState(), CKarvoEdDoc::Processed);
    const SoundingProcessor& p = *o.doc->processor();
    EXPECT_EQ(p.logLines("Processing Steps").front(), "QC processing completed");
    EXPECT_FALSE(p.logLines("QC Data Recovery Statistics").empty());
    EXPECT_EQ(p.engine()->sounding()->qcGeneration(), 1);
    // DataDir is remembered at once (an immediate option in the shipped file).
    const std::string samples = test::sourcePath("samples");
    EXPECT_EQ(o.doc->configuration().option("DataDir")->text(), samples);
    EXPECT_NE(o.configText().find("<current>" + samples + "</current>"), std::string::npos);
    // Nothing but immediate options changed: no question at close.
    o.doc->close();
    EXPECT_TRUE(o.dialogs.questions.empty());
    EXPECT_TRUE(o.dialogs.messages.empty());
}

TEST(Document, RejectedFileIsReportedWithTheReadersText) {
    Opened o("doc-rejected", nullptr);
    const std::string dir = test::scratchDir("doc-rejected-file");
    const std::string path = dir + "/Dnot_a_drop.1";
    ASSERT_TRUE(test::writeFile(path, "karvo\r\nnothing here\r\n"));
    EXPECT_FALSE(o.doc->open(path));
    EXPECT_EQ(o.doc->loadState(), CKarvoEdDoc::NotLoaded);
    ASSERT_EQ(o.dialogs.messages.size(), 1u);
    EXPECT_EQ(o.dialogs.messages[0], path + ": file is not in an acceptable format for Velta.\n" +
                                         "No launch line (LAU) found in file.\nNo sounding data found in file.\n");
}

TEST(Document, SaveQuestionAtClose) {
    for (bool answer : {false, true}) {
        Opened o(answer ? "doc-close-yes" : "doc-close-no");
        const std::string before = o.configText();
        o.doc->configuration().option("TdryOutlier")->setValue(7.5);
        o.dialogs.queryAnswers.push_back(answer);
        o.doc.reset();  // destruction asks
        ASSERT_EQ(o.dialogs.questions.size(), 1u);
        EXPECT_EQ(o.dialogs.questions[0],
                  "QC processing options were changed for the sounding D20250915_174512.1. Do you want to save "
                  "them as the current processing options for the 'Hurricane' configuration set?");
        if (answer) {
            EXPECT_EQ(o.dialogs.notices, (std::vector<std::string>{"The configuration 'Hurricane' is being saved..."}));
            EXPECT_NE(o.configText().find("7.500000"), std::string::npos);
        } else {
            EXPECT_TRUE(o.dialogs.notices.empty());
            EXPECT_EQ(o.configText(), before);
        }
        EXPECT_EQ(o.dialogs.openNotices, 0);
    }
}

TEST(Document, RestoreDefaultsAndOptionsCommands) {
    Opened o("doc-commands");
    ConfigSet& set = o.doc->configuration();
    set.option("TdryOutlier")->setValue(7.5);
    o.doc->restoreDefaultsCommand();
    EXPECT_EQ(set.numericValue("TdryOutlier"), 10.0);
    EXPECT_EQ(o.dialogs.messages.back(),
              "\nQC Processing options have been set to default values. You can save them when you close "
              "this sounding.");

    // Cancelled sheet: nothing saved, no notice.
    o.doc->optionsCommand();
    EXPECT_TRUE(o.dialogs.notices.empty());
    // Confirmed sheet that changed an immediate option: saved at once.
    o.dialogs.optionsEditor = [](ConfigSet& s) {
        s.option("MissionId")->setText("STORM1");
        return true;
    };
    o.doc->optionsCommand();
    EXPECT_EQ(o.dialogs.notices,
              (std::vector<std::string>{"Immediate values for configuration 'Hurricane' are being saved..."}));
    EXPECT_NE(o.configText().find("<current>STORM1</current>"), std::string::npos);
    EXPECT_FALSE(set.option("MissionId")->modified());
}

TEST(Document, SwitchedOffStagesKeepEarlierProducts) {
    Opened o("doc-switches");
    ConfigSet& set = o.doc->configuration();
    SoundingProcessor& p = *o.doc->processor();
    const int generation = p.engine()->sounding()->qcGeneration();

    set.option("DoQC")->setValue(0);
    set.option("DoLevels")->setValue(0);
    o.doc->recompute();
    // The log is cleared, nothing is reprocessed; the message stage still logs.
    EXPECT_EQ(p.engine()->sounding()->qcGeneration(), generation);
    EXPECT_EQ(p.logCategories(), (std::vector<std::string>{"Processing Steps"}));
    EXPECT_EQ(p.logLines("Processing Steps"), (std::vector<std::string>{"WMO message coded"}));
}

TEST(Document, LaunchOverridesReachTheHeader) {
    Opened o("doc-overrides");
    ConfigSet& set = o.doc->configuration();
    set.addNumeric("launchLatOverride", 17.25, -90, 90, false);
    set.addNumeric("launchAltOverride", 7500, -1000, 20000, false);
    o.doc->recompute();
    SoundingHeader h = o.doc->processor()->header();
    EXPECT_TRUE(h.launchLatitudeValid);
    EXPECT_EQ(h.launchLatitude, 17.25);
    EXPECT_EQ(h.launchAltitude, 7500);
    EXPECT_EQ(h.callSign, "CALL");
    // Unbound options never make the set modified.
    EXPECT_FALSE(set.modified());
}

}  // namespace
}  // namespace velta
