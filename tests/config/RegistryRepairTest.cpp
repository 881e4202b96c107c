// A configuration file never loses values: options added by binding carry their defaults through
// any save, damaged entries are mended on load, and rewriting a file keeps its bytes.
#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "config/ConfigSet.h"
#include "config/NumberText.h"
#include "config/OptionCatalogue.h"
#include "config/Registry.h"

namespace velta {
namespace {

// Every catalogue option of the set but `except` has its catalogue default (texts too when asked).
void expectCatalogueDefaults(const ConfigSet& options, bool texts, const std::string& except = {}) {
    for (const CatalogueEntry& e : optionCatalogue()) {
        const ConfigOption* o = options.option(e.name);
        ASSERT_NE(o, nullptr) << e.name;
        if (e.name == except) continue;
        if (e.kind != OptionKind::String) {
            EXPECT_EQ(o->value(), e.defaultValue) << e.name;
        } else if (texts) {
            EXPECT_EQ(o->text(), e.defaultText) << e.name;
        }
    }
}

TEST(RegistryRepair, OptionsAddedByBindingKeepTheirDefaultsThroughAnImmediateSave) {
    test::ConfigDir dir("added-then-immediate");
    // An older, smaller file: one immediate option only.
    const std::string path =
        dir.write(test::configFile("A", test::set("A", test::option("DataDir", "string", ".", ".", true))));
    {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        ConfigSet options(registry);
        options.option("DataDir")->setText("/data/drops");
        options.save(true);
    }
    const std::string text = test::readFile(path);
    EXPECT_NE(text.find("<option name=\"TdrySmoothWL\" type=\"numeric\">"), std::string::npos);
    EXPECT_NE(text.find("<current>5.000000</current>"), std::string::npos);

    // The next document (a second sounding) sees the defaults, not zeros.
    Registry reread(path);
    ASSERT_EQ(reread.status(), 0);
    ConfigSet options(reread);
    EXPECT_EQ(options.option("DataDir")->text(), "/data/drops");
    expectCatalogueDefaults(options, true, "DataDir");
    EXPECT_TRUE(reread.repairNotes().empty());
}

TEST(RegistryRepair, EmptyValuesOfADamagedFileTakeTheCatalogueDefaultAndAreLogged) {
    test::ConfigDir dir("damaged");
    const std::string damaged =
        test::configFile("A", test::set("A", test::option("DataDir", "string", ".", ".", true) +
                                                 test::option("TdrySmoothWL", "numeric", "", "") +
                                                 test::option("DoQC", "bool", "", "") +
                                                 test::option("CallSign", "string", "", "") +
                                                 test::option("WindQCWL", "numeric", "12.000000", "") +
                                                 // An empty text whose default is empty is no damage.
                                                 test::option("AbrHdrOvr", "string", "", "")));
    const std::string path = dir.write(damaged);
    {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        ConfigSet options(registry);
        EXPECT_EQ(options.option("TdrySmoothWL")->value(), 5.0);
        EXPECT_EQ(options.option("DoQC")->value(), 1.0);
        EXPECT_EQ(options.option("CallSign")->text(), "CALL");
        EXPECT_EQ(options.option("WindQCWL")->value(), 12.0);
        EXPECT_EQ(options.option("AbrHdrOvr")->text(), "");
        options.option("WindQCWL")->restoreDefault();
        EXPECT_EQ(options.option("WindQCWL")->value(), 10.0);

        const std::vector<std::string>& notes = options.repairNotes();
        ASSERT_EQ(notes.size(), 4u);
        EXPECT_EQ(
            notes[0],
            "Option DoQC of set 'A' had no value in the configuration file; it was given its default true");
        for (const char* name : {"TdrySmoothWL", "CallSign", "WindQCWL"}) {
            bool found = false;
            for (const std::string& n : notes)
                found = found || n.find(std::string(name) + " ") != std::string::npos;
            EXPECT_TRUE(found) << name;
        }
        // The mended values reach the file at the next save, even an immediate one.
        options.save(true);
    }
    Registry reread(path);
    ConfigSet options(reread);
    EXPECT_TRUE(reread.repairNotes().empty());
    EXPECT_EQ(options.option("TdrySmoothWL")->value(), 5.0);
    EXPECT_EQ(options.option("CallSign")->text(), "CALL");
    EXPECT_EQ(options.option("WindQCWL")->value(), 12.0);
}

TEST(RegistryRepair, TheShippedFileStaysByteStableOverRepeatedSaves) {
    test::ConfigDir dir("shipped-stable");
    const std::string path = dir.write(test::readFile(test::sourcePath("share/velta.xml")));
    auto saveChanged = [&](double value) {
        Registry registry(path);
        ASSERT_EQ(registry.status(), 0);
        ConfigSet options(registry);
        options.option("ChuteArea")->setValue(value);
        options.save(false);
    };
    saveChanged(700);
    saveChanged(676);
    const std::string first = test::readFile(path);
    saveChanged(700);
    saveChanged(676);
    EXPECT_EQ(test::readFile(path), first);
    saveChanged(700);
    saveChanged(676);
    EXPECT_EQ(test::readFile(path), first);
    // The comments are still there.
    EXPECT_NE(first.find("<!-- Hurricane reconnaissance"), std::string::npos);
    Registry reread(path);
    ConfigSet options(reread);
    expectCatalogueDefaults(options, false);
}

}  // namespace
}  // namespace velta
