#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "config/Registry.h"

namespace velta {
namespace {

using test::ConfigDir;
using test::configFile;
using test::option;
using test::set;

const std::string kOneOption = option("DoQC", "bool", "true", "true");

struct BadFile {
    const char* label;
    std::string xml;
};

TEST(RegistryRead, FilesThatAreNotConfigurationsGiveStatus2) {
    const std::vector<BadFile> cases = {
        {"empty", ""},
        {"not well formed", "<veltaConfig><active>A</active><set name=\"A\"></veltaConfig>"},
        {"garbage bytes", std::string("\x00\xff\xfe<\x01>", 6)},
        {"no veltaConfig", "<config><active>A</active><set name=\"A\"/></config>"},
        {"no active", "<veltaConfig>" + set("A", kOneOption) + "</veltaConfig>"},
        {"empty active", "<veltaConfig><active/><set name=\"A\"/></veltaConfig>"},
        {"active names a missing set", configFile("B", set("A", kOneOption))},
        {"no set", configFile("A", "")},
        {"other DTD missing",
         "<!DOCTYPE veltaConfig SYSTEM \"velta.dtd\"><veltaConfig><active>A</active>"
         "<set name=\"A\"/></veltaConfig>"},
    };
    for (const BadFile& c : cases) {
        ConfigDir dir(std::string("bad-") + std::to_string(&c - cases.data()));
        if (std::string(c.label) == "other DTD missing") std::remove(dir.path("velta.dtd").c_str());
        Registry registry(dir.write(c.xml));
        EXPECT_EQ(registry.status(), 2) << c.label;
    }
    Registry missing(ConfigDir("bad-missing").path("nothing.xml"));
    EXPECT_EQ(missing.status(), 2);
    Registry directory(ConfigDir("bad-directory").dir());
    EXPECT_EQ(directory.status(), 2);
}

TEST(RegistryRead, SetsNestedDeeperAreFoundAndTextsAreTrimmed) {
    ConfigDir dir("nested");
    std::string xml =
        "<?xml version=\"1.0\"?>\n<wrapper><veltaConfig>\n<group><active>\n  Two words "
        "\r\n</active></group>\n"
        "<group><inner>" +
        set("Two words", option(" ChuteArea ", " numeric\n", "\n  12.5abc  ", "3")) + "</inner></group>\n" +
        set("Other", option("ChuteArea", "numeric", "99", "99")) + "</veltaConfig></wrapper>\n";
    Registry registry(dir.write(xml));
    ASSERT_EQ(registry.status(), 0);
    EXPECT_EQ(registry.activeSetName(), "Two words");
    EXPECT_EQ(registry.setNames(), (std::vector<std::string>{"Other", "Two words"}));
    NumericBinding b = registry.bindNumeric("ChuteArea", 676);
    EXPECT_DOUBLE_EQ(b.current, 12.5);
    EXPECT_DOUBLE_EQ(b.defaultValue, 3);
    EXPECT_FALSE(b.immediate);
}

TEST(RegistryRead, BindingReadsKindsAsStored) {
    ConfigDir dir("kinds");
    std::string options = option("Upper", "bool", "TRUE", "true") + option("Lower", "bool", "true", "TRUE") +
                          option("EmptyBool", "bool", "", "true") + option("Num", "numeric", "", "2.5") +
                          option("NotNum", "numeric", "abc", "x") + option("Switch", "numeric", "true", "1") +
                          option("Dir", "string", "", "C:\\", true) + option("Name", "string", "Ab c", "x") +
                          "<option name=\"Untyped\"><current>7</current></option>\n";
    Registry registry(dir.write(configFile("A", set("A", options))));
    ASSERT_EQ(registry.status(), 0);

    struct NumCase {
        const char* name;
        double current;
        double def;
    };
    for (NumCase c : {NumCase{"Upper", 0, 1}, NumCase{"Lower", 1, 0}, NumCase{"EmptyBool", 1, 1},
                      NumCase{"Num", 2.5, 2.5}, NumCase{"NotNum", 0, 0}, NumCase{"Switch", 0, 1},
                      NumCase{"Untyped", 0, 0}}) {
        NumericBinding b = registry.bindNumeric(c.name, 42);
        EXPECT_EQ(b.current, c.current) << c.name;
        EXPECT_EQ(b.defaultValue, c.def) << c.name;
    }
    TextBinding dirText = registry.bindText("Dir", "x");
    EXPECT_EQ(dirText.current, "C:\\");
    EXPECT_TRUE(dirText.immediate);
    EXPECT_EQ(registry.bindText("Name", "x").current, "Ab c");
    // Not found: the given default.
    NumericBinding absent = registry.bindNumeric("Absent", 42);
    EXPECT_EQ(absent.current, 42);
    EXPECT_EQ(absent.defaultValue, 42);
    EXPECT_EQ(registry.bindText("AbsentText", "t").current, "t");
}

TEST(RegistryRead, LoadsNoExternalEntityButVeltaDtd) {
    ConfigDir dir("entities");
    test::writeFile(dir.path("secret.txt"), "SECRET");
    std::string xml =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE veltaConfig SYSTEM \"velta.dtd\" [\n"
        "<!ENTITY file SYSTEM \"secret.txt\">\n"
        "<!ENTITY abs SYSTEM \"file://" +
        dir.path("secret.txt") +
        "\">\n"
        "<!ENTITY net SYSTEM \"http://127.0.0.1:9/x\">\n"
        "<!ENTITY % pe SYSTEM \"secret.dtd\"> %pe;\n"
        "]>\n<veltaConfig><active>A</active><set name=\"A\">" +
        option("A", "string", "&file;", "d") + option("B", "string", "&abs;", "d") +
        option("C", "string", "&net;", "d") + "</set></veltaConfig>\n";
    test::writeFile(dir.path("secret.dtd"), "<!ENTITY leak \"SECRET\">");
    Registry registry(dir.write(xml));
    ASSERT_EQ(registry.status(), 0);
    for (const char* name : {"A", "B", "C"}) {
        EXPECT_EQ(registry.bindText(name, "x").current.find("SECRET"), std::string::npos) << name;
    }
}

TEST(RegistryRead, EntityExpansionAndDeepNestingAreRefused) {
    ConfigDir dir("hostile");
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE veltaConfig [\n<!ENTITY a \"aaaaaaaaaa\">\n";
    std::string prev = "a";
    for (char c = 'b'; c <= 'j'; ++c) {
        laughs += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i) laughs += "&" + prev + ";";
        laughs += "\">\n";
        prev = std::string(1, c);
    }
    laughs += "]>\n<veltaConfig><active>A</active><set name=\"A\">" + option("X", "string", "&j;", "") +
              "</set></veltaConfig>\n";
    Registry bomb(dir.write(laughs));
    EXPECT_EQ(bomb.status(), 2);
    // A few expansions are fine.
    std::string few = laughs.substr(0, laughs.find("<!ENTITY d")) + "]>\n<veltaConfig><active>A</active>" +
                      "<set name=\"A\">" + option("X", "string", "&c;", "") + "</set></veltaConfig>\n";
    Registry harmless(dir.write(few));
    EXPECT_EQ(harmless.status(), 0);

    std::string deep = "<veltaConfig><active>A</active><set name=\"A\">" + option("X", "string", "1", "1");
    for (int i = 0; i < 5000; ++i) deep += "<d>";
    for (int i = 0; i < 5000; ++i) deep += "</d>";
    deep += "</set></veltaConfig>";
    Registry nested(dir.write(deep));
    EXPECT_EQ(nested.status(), 2);
}

TEST(RegistryRead, LongEntitiesAreRefusedBeforeTheyAreExpanded) {
    // 1000 references (the most the parser expands) to one long entity once made
    // a file of about a megabyte expand into gigabytes; one reference in text
    // and one in an attribute are enough to show the refusal.
    ConfigDir dir("long-entity");
    auto file = [](std::size_t length, const std::string& use) {
        return "<?xml version=\"1.0\"?>\n<!DOCTYPE veltaConfig [\n<!ENTITY big \"" + std::string(length, 'x') +
               "\">\n]>\n<veltaConfig><active>A</active><set name=\"A\">" + use + "</set></veltaConfig>\n";
    };
    const struct {
        std::size_t length;
        std::string use;
        int status;
    } cases[] = {
        {4096, option("X", "string", "&big;", ""), 0},
        {4097, option("X", "string", "&big;", ""), 2},
        {1 << 20, option("X", "string", "&big;&big;&big;", ""), 2},
        {1 << 20, "<option name=\"&big;\" type=\"string\"><current>1</current><default/></option>", 2},
    };
    for (const auto& c : cases) {
        Registry registry(dir.write(file(c.length, c.use)));
        EXPECT_EQ(registry.status(), c.status) << c.length;
    }
}

}  // namespace
}  // namespace velta
