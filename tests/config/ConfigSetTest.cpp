#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ConfigFixture.h"
#include "config/ConfigSet.h"
#include "config/OptionCatalogue.h"
#include "config/OptionStore.h"
#include "config/OverrideOptions.h"
#include "config/Registry.h"

namespace velta {
namespace {

using test::ConfigDir;
using test::configFile;
using test::option;
using test::set;

TEST(ConfigSet, CatalogueDefaultsOverAnInMemoryStore) {
    OptionStore store;
    ConfigSet options(store);
    EXPECT_EQ(options.name(), "internal");
    EXPECT_EQ(options.options().size(), optionCatalogue().size());
    EXPECT_EQ(options.numericValue("ChuteArea"), 676);
    EXPECT_EQ(options.boolValue("DropsondeHitSfc"), true);
    EXPECT_EQ(options.option("DataDir")->text(), "C:\\");
    EXPECT_EQ(options.option("TempEmailAddress")->text(), "nobody");
    EXPECT_EQ(options.numericValue("NoSuchOption"), std::nullopt);
    EXPECT_EQ(options.option("NoSuchOption"), nullptr);
    EXPECT_FALSE(options.modified());
    // Options iterate in byte-wise name order: upper case before lower case.
    std::string previous;
    for (const auto& [name, o] : options) {
        EXPECT_LT(previous, name);
        previous = name;
    }
}

TEST(ConfigSet, ModifiedFollowsTheSavedValue) {
    ConfigDir dir("modified");
    Registry registry(dir.write(configFile(
        "A", set("A", option("ChuteArea", "numeric", "500", "676") + option("DoQC", "bool", "TRUE", "true") +
                          option("CallSign", "string", "", "NOAA9")))));
    ConfigSet options(registry);
    ConfigOption& chute = *options.option("ChuteArea");
    EXPECT_EQ(chute.value(), 500);
    EXPECT_EQ(options.numericValue("DoQC"), 0);  // only the exact text "true" is true
    EXPECT_EQ(options.option("DoQC")->defaultValue(), 1);
    EXPECT_EQ(options.option("CallSign")->text(), "NOAA9");

    chute.setValue(500);
    EXPECT_FALSE(chute.modified());
    chute.setValue(600);
    EXPECT_TRUE(chute.modified());
    EXPECT_TRUE(options.modified());
    chute.setValue(500);
    EXPECT_FALSE(chute.modified());

    // Restoring a default that differs from the saved value makes the option modified.
    options.restoreDefaults();
    EXPECT_EQ(chute.value(), 676);
    EXPECT_TRUE(chute.modified());
    EXPECT_TRUE(options.option("DoQC")->modified());
    EXPECT_FALSE(options.option("CallSign")->modified());
    options.save(false);
    EXPECT_FALSE(options.modified());
    chute.setValue(1);
    options.restoreDefaults();
    EXPECT_FALSE(options.modified());
}

TEST(ConfigSet, TextAndValueAccessors) {
    OptionStore store;
    ConfigSet options(store, false);
    EXPECT_TRUE(options.options().empty());
    options.addNumeric("AutoFile", 1, 0, 1, true);
    options.addText("Name", "abc", true);
    ConfigOption& text = *options.option("Name");
    text.setText("xyz");
    EXPECT_TRUE(text.modified());
    text.setValue(3);  // a text option has no value to set
    EXPECT_EQ(text.text(), "xyz");
    text.setText("abc");
    EXPECT_FALSE(text.modified());

    ConfigOption& n = *options.option("AutoFile");
    for (auto [value, asInt] : {std::pair{2.9, 2}, {-2.9, -2}, {1e300, INT32_MAX}, {-1e300, INT32_MIN}}) {
        n.setValue(value);
        EXPECT_EQ(n.valueAsInt(), asInt) << value;
    }
    // Bounds are not enforced.
    n.setValue(-5);
    EXPECT_EQ(n.value(), -5);
    options.remove("AutoFile");
    EXPECT_EQ(options.option("AutoFile"), nullptr);
    options.remove("AutoFile");
}

TEST(ConfigSet, ImmediateSaveMarksOnlyImmediateOptionsSaved) {
    ConfigDir dir("immediate-set");
    Registry registry(dir.write(configFile("A", set("A", option("DataDir", "string", "/a", "/a", true) +
                                                             option("ChuteArea", "numeric", "1", "1")))));
    ConfigSet options(registry);
    options.option("DataDir")->setText("/b");
    options.option("ChuteArea")->setValue(2);
    options.save(true);
    EXPECT_FALSE(options.option("DataDir")->modified());
    EXPECT_TRUE(options.option("ChuteArea")->modified());
    EXPECT_TRUE(options.modified());
}

TEST(ConfigSet, OverridesAreUnboundAndNeverReachTheFile) {
    ConfigDir dir("overrides");
    std::string path = dir.write(configFile("A", set("A", option("DoQC", "bool", "true", "true"))));
    Registry registry(path);
    ConfigSet options(registry);
    options.save(false);
    std::string saved = test::readFile(path);

    struct Case {
        const char* text;
        std::optional<double> value;
    };
    for (Case c : {Case{" 12.5 ", 12.5}, Case{"\t-3e2\n", -300.0}, Case{"abc", 0.0},
                   Case{"   ", std::nullopt}, Case{"", std::nullopt}, Case{"7x", 7.0}}) {
        setOverrideFromText(options, "launchPresOverride", "1");
        setOverrideFromText(options, "launchPresOverride", c.text);
        EXPECT_EQ(options.numericValue("launchPresOverride"), c.value) << '"' << c.text << '"';
    }
    setOverrideFromText(options, "sfcAltOverride", "15");
    setSurfaceAltitude(options, 42);
    setSurfaceAltitude(options, 43);
    EXPECT_EQ(options.numericValue(kSfcAltitude), 43);
    EXPECT_FALSE(options.option(kSfcAltitude)->bound());
    EXPECT_FALSE(options.modified());
    options.save(false);
    EXPECT_EQ(test::readFile(path), saved);
    EXPECT_EQ(overrideOptionNames().size(), 11u);
}

TEST(OptionCatalogue, RowsAreCompleteAndUnique) {
    const auto& catalogue = optionCatalogue();
    ASSERT_EQ(catalogue.size(), 79u);
    EXPECT_EQ(catalogue.front().name, "DoQC");
    EXPECT_EQ(catalogue[23].name, "WindSmoothWL");
    EXPECT_EQ(catalogue.back().name, "SkewTPlotSaveDir");
    std::set<std::string> names;
    int qc = 0;
    for (const CatalogueEntry& e : catalogue) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        if (e.kind != OptionKind::String) {
            EXPECT_LE(e.lower, e.defaultValue) << e.name;
            EXPECT_LE(e.defaultValue, e.upper) << e.name;
        }
        if (e.group == OptionGroup::QualityControl) ++qc;
    }
    EXPECT_EQ(qc, 37);
    ASSERT_NE(findCatalogueEntry("WindVVdelta"), nullptr);
    EXPECT_EQ(findCatalogueEntry("WindVVdelta")->defaultValue, 2.5);
    EXPECT_EQ(findCatalogueEntry("launchPresOverride"), nullptr);
}

}  // namespace
}  // namespace velta
