#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "ConfigFixture.h"
#include "config/ConfigFiles.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"

namespace velta {
namespace {

using test::ConfigDir;
using test::configFile;
using test::option;
using test::readFile;
using test::set;

std::string twoSets() {
    return configFile("A", set("A", option("Imm", "numeric", "1.000000", "1.000000", true) +
                                        option("Dir", "string", "here", "C:\\", true) +
                                        option("Plain", "numeric", "5.000000", "5.000000") +
                                        option("Flag", "bool", "TRUE", "false")) +
                               set("B", option("Imm", "numeric", "7.000000", "7.000000", true)));
}

std::filesystem::file_time_type mtime(const std::string& path) {
    return std::filesystem::last_write_time(path);
}

TEST(RegistrySave, SavingWithoutChangesRewritesNothing) {
    ConfigDir dir("unchanged");
    std::string path = dir.write(twoSets());
    auto before = mtime(path);
    Registry registry(path);
    ASSERT_EQ(registry.status(), 0);
    registry.setNumeric("Plain", 9);  // not immediate
    registry.setText("Dir", "here");  // same text
    registry.save(true);
    EXPECT_EQ(readFile(path), twoSets());
    EXPECT_EQ(mtime(path), before);
    EXPECT_FALSE(registry.lastSaveFailed());
}

TEST(RegistrySave, ImmediateSaveWritesOnlyImmediateEntries) {
    ConfigDir dir("immediate");
    std::string path = dir.write(twoSets());
    {
        Registry registry(path);
        registry.setNumeric("Imm", 2.5);
        registry.setNumeric("Plain", 9);
        registry.setNumeric("Flag", 0);
        registry.setActiveSetName("B");
        registry.save(true);
    }
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.activeSetName(), "A");  // the active name is written by full saves only
    EXPECT_EQ(reread.bindNumeric("Imm", 0).current, 2.5);
    EXPECT_EQ(reread.bindNumeric("Plain", 0).current, 5);
    EXPECT_NE(readFile(path).find("<current>TRUE</current>"), std::string::npos);
    EXPECT_NE(readFile(path).find("<current>2.500000</current>"), std::string::npos);
}

TEST(RegistrySave, FullSaveWritesBoolsAsTrueFalseAndTheActiveName) {
    ConfigDir dir("full");
    std::string path = dir.write(twoSets());
    {
        Registry registry(path);
        registry.setNumeric("Flag", 3);
        registry.setText("Dir", "/data/drops");
        registry.setActiveSetName("B");
        registry.save(false);
    }
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.activeSetName(), "B");
    EXPECT_EQ(reread.bindNumeric("Imm", 0).current, 7);
    // Set A is no longer active; its texts are checked in the file.
    std::string text = readFile(path);
    EXPECT_NE(text.find("<current>true</current>"), std::string::npos);
    EXPECT_NE(text.find("<current>/data/drops</current>"), std::string::npos);
    EXPECT_NE(text.find("encoding=\"UTF-8\""), std::string::npos);
}

TEST(RegistrySave, RepeatedSavesKeepTheFileStable) {
    ConfigDir dir("stable");
    std::string path = dir.write(twoSets());
    {
        Registry registry(path);
        registry.setNumeric("Imm", 3);
        registry.save(false);
    }
    std::string first = readFile(path);
    {
        Registry registry(path);
        registry.setNumeric("Imm", 4);
        registry.save(false);
        registry.setNumeric("Imm", 3);
        registry.save(false);
    }
    EXPECT_EQ(readFile(path), first);
}

// The file is declared UTF-8; an option's text that names another encoding is kept as typed.
TEST(RegistrySave, EncodingNameInTextsIsKept) {
    ConfigDir dir("utf16");
    std::string path = dir.write(twoSets());
    {
        Registry registry(path);
        registry.setText("Dir", "C:\\UTF-16 files");
        registry.save(false);
    }
    std::string text = readFile(path);
    EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\""));
    EXPECT_NE(text.find("C:\\UTF-16 files"), std::string::npos);
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.bindText("Dir", "").current, "C:\\UTF-16 files");
}

// An option element without its current text (edited by hand) gains one at the
// save, so that the value set for it is written and read back.
TEST(RegistrySave, AnOptionWithoutItsCurrentTextKeepsTheValueSaved) {
    ConfigDir dir("nocurrent");
    std::string text = twoSets();
    const std::size_t at = text.find("<current>", text.find("name=\"Dir\""));
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find("</current>", at) + 10 - at);
    std::string path = dir.write(text);
    {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        registry.setText("Dir", "/data/drops");
        registry.save(false);
    }
    const std::string written = readFile(path);
    EXPECT_LT(written.find("<current>/data/drops</current>"), written.find("<default>", written.find("name=\"Dir\"")));
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.bindText("Dir", "").current, "/data/drops");
}

TEST(RegistrySave, BindingCreatesMissingOptionsFilledAtTheNextFullSave) {
    ConfigDir dir("create");
    std::string path =
        dir.write(configFile("A", set("A", option("Imm", "numeric", "1", "1", true)) + set("Empty", "")));
    {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        registry.bindNumeric("NewNum", 2.5);
        registry.bindText("NewText", "abc");
        registry.save(true);  // new entries are not immediate: nothing written
        EXPECT_EQ(readFile(path).find("NewNum"), std::string::npos);
        registry.save(false);
    }
    Registry reread(path);
    EXPECT_EQ(reread.bindNumeric("NewNum", 0).current, 2.5);
    EXPECT_EQ(reread.bindText("NewText", "").current, "abc");
    std::string text = readFile(path);
    EXPECT_NE(text.find("<option name=\"NewNum\" type=\"numeric\">"), std::string::npos);
    EXPECT_NE(text.find("<default>2.500000</default>"), std::string::npos);
    EXPECT_NE(text.find("<option name=\"NewText\" type=\"string\">"), std::string::npos);

    // An active set without options gains nothing.
    reread.setActiveSetName("Empty");
    reread.save(false);
    Registry emptyActive(path);
    ASSERT_EQ(emptyActive.activeSetName(), "Empty");
    emptyActive.bindNumeric("Other", 1);
    emptyActive.save(false);
    EXPECT_EQ(readFile(path).find("Other"), std::string::npos);
}

TEST(RegistrySave, CopyAndRemoveSets) {
    ConfigDir dir("sets");
    std::string path = dir.write(twoSets());
    Registry registry(path);
    EXPECT_FALSE(registry.copySet("A", "B"));        // target exists
    EXPECT_FALSE(registry.copySet("Missing", "C"));  // source missing
    EXPECT_FALSE(registry.removeSet("Missing"));
    registry.save(false);
    EXPECT_EQ(readFile(path), twoSets());

    ASSERT_TRUE(registry.copySet("A", "C"));
    ASSERT_TRUE(registry.removeSet("B"));
    EXPECT_EQ(registry.setNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(readFile(path), twoSets());  // neither operation writes
    registry.setActiveSetName("C");
    registry.save(false);

    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.setNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(reread.activeSetName(), "C");
    EXPECT_EQ(reread.bindText("Dir", "").current, "here");
    EXPECT_TRUE(reread.bindNumeric("Imm", 0).immediate);
}

// Writes fail past a file size limit, also for root (whom permissions do not stop).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

TEST(RegistrySave, AFailedWriteLeavesTheFileIntactAndRetriesLater) {
    ConfigDir dir("failed-write");
    std::string path = dir.write(twoSets());
    Registry registry(path);
    registry.setNumeric("Imm", 8);
    {
        FileSizeLimit limit(64);
        registry.save(false);
    }
    EXPECT_TRUE(registry.lastSaveFailed());
    EXPECT_EQ(readFile(path), twoSets());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 2);  // no temporary left

    // The change stays pending and reaches the file once it can be written.
    registry.save(true);
    EXPECT_FALSE(registry.lastSaveFailed());
    EXPECT_EQ(Registry(path).bindNumeric("Imm", 0).current, 8);
}

TEST(RegistrySave, SaveIntoAVanishedDirectoryDoesNotCrash) {
    ConfigDir dir("vanished");
    Registry registry(dir.write(twoSets()));
    std::filesystem::remove_all(dir.dir());
    registry.setNumeric("Imm", 8);
    registry.save(false);
    EXPECT_TRUE(registry.lastSaveFailed());
}

TEST(RegistrySave, ConfigSetSavesThroughTheRegistry) {
    ConfigDir dir("configset");
    std::string path = dir.write(twoSets());
    Registry registry(path);
    ConfigSet options(registry, false);
    options.addNumeric("Imm", 0, 0, 10, true);
    options.addNumeric("Plain", 0, 0, 10, true);
    options.option("Imm")->setValue(6);
    options.option("Plain")->setValue(7);
    options.save(true);
    EXPECT_FALSE(options.option("Imm")->modified());
    EXPECT_TRUE(options.option("Plain")->modified());
    EXPECT_TRUE(options.modified());
    EXPECT_EQ(Registry(path).bindNumeric("Plain", 0).current, 5);
    options.save(false);
    EXPECT_FALSE(options.modified());
    EXPECT_EQ(Registry(path).bindNumeric("Plain", 0).current, 7);
}

TEST(RegistrySave, AnOptionNamedTwiceIsTheLaterElementsAlone) {
    // The later element may lack a type or a current text; what is read and what is saved
    // belong to it either way, and the value set is the value read back.
    const std::string untypedLater = "<option name=\"Dir\" immediate=\"true\"><default>.</default></option>\n";
    const std::string lacksCurrent = "<option name=\"Dir\" type=\"string\"><default>there</default></option>\n";
    struct Case {
        std::string later;
        std::string read;   // before the change
        std::string saved;  // read back after setting "/data"
    } cases[] = {
        {option("Dir", "string", "later", "C:\\"), "later", "/data"},
        {lacksCurrent, "there", "/data"},
        {untypedLater, "", ""},  // an untyped option has no texts to read and is written as it stands
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.later);
        ConfigDir dir("twice");
        std::string path = dir.write(configFile("A", set("A", option("Dir", "string", "first", "C:\\") + c.later)));
        {
            Registry registry(path);
            ASSERT_EQ(registry.status(), 0);
            EXPECT_EQ(registry.bindText("Dir", "").current, c.read);
            registry.setText("Dir", "/data");
            registry.save(false);
        }
        Registry reread(path);
        ASSERT_EQ(reread.status(), 0);
        EXPECT_EQ(reread.bindText("Dir", "").current, c.saved);
        const std::string saved = readFile(path);
        EXPECT_NE(saved.find("<current>first</current>"), std::string::npos);  // the earlier one is left alone
        if (c.later == untypedLater) {
            EXPECT_NE(saved.find("<default>.</default>"), std::string::npos);
        }
    }
}

TEST(RegistrySave, AnOptionBelongsToTheSetClosestAroundIt) {
    // "Z" holds "B" written inside it; a save of Z's entries must not overwrite what was set in B.
    ConfigDir dir("inner");
    const std::string inner = set("B", option("Dir", "string", "b", "C:\\", true));
    std::string path = dir.write(configFile("B", set("Z", option("Plain", "numeric", "1", "1") + inner)));
    {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        registry.setText("Dir", "/data");
        registry.save(true);
    }
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.bindText("Dir", "").current, "/data");
    reread.setActiveSetName("Z");
    EXPECT_EQ(reread.bindText("Dir", "z").current, "z");  // Z has no Dir of its own

    // Removing Z would take B along, and a copy of Z would hold a second B: Z stays as it is.
    EXPECT_TRUE(reread.holdsOtherSets("Z"));
    EXPECT_FALSE(reread.holdsOtherSets("B"));
    EXPECT_FALSE(reread.removeSet("Z"));
    EXPECT_FALSE(reread.copySet("Z", "Y"));
    EXPECT_EQ(reread.setNames(), (std::vector<std::string>{"B", "Z"}));
    EXPECT_TRUE(reread.removeSet("B"));
    EXPECT_EQ(reread.setNames(), std::vector<std::string>{"Z"});
}

TEST(RegistrySave, MemoryFilesHoldTheFileItsDtdAndItsSaves) {
    MemoryConfigFiles files;
    const std::string path = "/nowhere/velta.xml";
    files.files[path] = twoSets();
    {
        Registry withoutDtd(path, files);
        EXPECT_NE(withoutDtd.status(), 0);  // the DTD is looked for among the same files
    }
    files.files["/nowhere/velta.dtd"] = readFile(test::sourcePath("share/velta.dtd"));
    {
        Registry registry(path, files);
        ASSERT_EQ(registry.status(), 0);
        registry.setNumeric("Plain", 9);
        registry.save(false);
        EXPECT_FALSE(registry.lastSaveFailed());
    }
    EXPECT_FALSE(std::filesystem::exists("/nowhere"));
    EXPECT_NE(files.files[path], twoSets());
    Registry reread(path, files);
    ASSERT_EQ(reread.status(), 0);
    EXPECT_EQ(reread.bindNumeric("Plain", 0).current, 9);
}

}  // namespace
}  // namespace velta
