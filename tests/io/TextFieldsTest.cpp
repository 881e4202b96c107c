#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "CommaLocale.h"
#include "io/TextFields.h"
#include "sounding/MissingValue.h"

namespace velta::text {
namespace {

TEST(TextFields, NumbersReadAsAtofWould) {
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"1012.5", 1012.5},  {"  -80.5", -80.5},     {"+3", 3.0},
        {"12abc", 12.0},     {"abc", 0.0},           {"", 0.0},
        {"-", 0.0},          {"+-5", 0.0},           {".7", 0.7},
        {"7.", 7.0},         {"1e3", 1000.0},        {"1e", 1.0},
        {"2.5E-1x", 0.25},   {"0x10", 16.0},         {"1e400", HUGE_VAL},
        {"-inf", -HUGE_VAL}, {"Infinity", HUGE_VAL},
    };
    for (const auto& c : cases) EXPECT_EQ(toNumber(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(std::isnan(toNumber("nan")));
    EXPECT_TRUE(std::isnan(toNumber("-NaN(123)")));
}

TEST(TextFields, NumbersReadTheSameUnderACommaDecimalLocale) {
    test::CommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << locale.why();
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"1012.5", 1012.5},     {"1012,5", 1012.0},      {"0x1.8p1", 3.0}, {"0x", 0.0},
        {"1.5e400", HUGE_VAL},  {"-2.5e999", -HUGE_VAL}, {"1.5e-400", 0.0}, {"0x1.8p99999", HUGE_VAL},
    };
    for (const auto& c : cases) EXPECT_EQ(toNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextFields, NumberNeverReadsBeyondItsField) {
    const std::string line = "12 34";
    EXPECT_EQ(toNumber(std::string_view(line).substr(0, 1)), 1.0);
    const std::string digits = "123456789";
    EXPECT_EQ(toNumber(std::string_view(digits).substr(2, 3)), 345.0);
}

TEST(TextFields, ValuesMapNanAndSentinelToMissing) {
    EXPECT_EQ(toValue("nan"), MissingValue);
    EXPECT_EQ(toValue("9999.0", 9999.0), MissingValue);
    EXPECT_EQ(toValue("9999.5", 9999.0), 9999.5);
    EXPECT_EQ(toValue("NAN", 99.0), MissingValue);
    EXPECT_EQ(toNumberOr("nan", 0.0), 0.0);
}

TEST(TextFields, IntegersReadAsAtoiWould) {
    struct Case {
        std::string text;
        int expected;
    };
    const Case cases[] = {{"2005", 2005},
                          {" 08,", 8},
                          {"-12.9", -12},
                          {"x", 0},
                          {"", 0},
                          {"+7", 7},
                          {"99999999999", std::numeric_limits<int>::max()},
                          {"-99999999999", std::numeric_limits<int>::min()}};
    for (const auto& c : cases) EXPECT_EQ(toInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextFields, ClockScanStopsAtFirstMismatch) {
    int h = -999, m = -999, s = -999;
    scanClock("18:34:01", h, m, s);
    EXPECT_EQ(h * 10000 + m * 100 + s, 183401);
    h = m = s = -999;
    scanClock("18:3x", h, m, s);
    EXPECT_EQ(h, 18);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(s, -999);
    h = -999;
    scanClock("noon", h, m, s);
    EXPECT_EQ(h, -999);
}

TEST(TextFields, TokenizerKeepsTheRestWithItsBlank) {
    std::string_view line = "  KARVO-T01 COM  Operator Name:  OPS1 ";
    EXPECT_EQ(nextToken(line), "KARVO-T01");
    EXPECT_EQ(line, " COM  Operator Name:  OPS1 ");
    EXPECT_EQ(dropFields("a b c d", 2), " c d");
    EXPECT_EQ(field("a  b c", 2), "b");
    EXPECT_EQ(field("a b", 5), "");
    std::string_view last = "tail";
    EXPECT_EQ(nextToken(last), "tail");
    EXPECT_TRUE(last.empty());
}

TEST(TextFields, CommaSplitting) {
    std::vector<std::string_view> p;
    splitCommas(" OPS1 , calm,, clear ,", p);
    EXPECT_EQ(p, (std::vector<std::string_view>{"OPS1", "calm", "", "clear"}));
    splitCommas("", p);
    EXPECT_TRUE(p.empty());
    splitCommasKeepLast("Data,1.5,", p);
    EXPECT_EQ(p, (std::vector<std::string_view>{"Data", "1.5", ""}));
    splitCommasKeepLast("", p);
    EXPECT_EQ(p.size(), 1u);
}

}  // namespace
}  // namespace velta::text
