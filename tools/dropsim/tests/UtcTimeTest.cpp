#include <gtest/gtest.h>

#include "UtcTime.h"

namespace velta::sim {
namespace {

TEST(UtcTime, CompactTimesParseOnlyWhenValid) {
    struct Case {
        const char* text;
        bool valid;
    };
    for (const Case& c :
         {Case{"20250915_174512", true}, Case{"20240229_000000", true}, Case{"20250229_000000", false},
          Case{"20250431_120000", false}, Case{"20251301_120000", false}, Case{"20250915_246000", false},
          Case{"20250915-174512", false}, Case{"2025091_1745120", false}, Case{"", false}}) {
        EXPECT_EQ(parseCompactTime(c.text).has_value(), c.valid) << c.text;
    }
    const auto t = parseCompactTime("20250915_174512");
    ASSERT_TRUE(t);
    EXPECT_EQ(compactTime(*t), "20250915_174512");
}

TEST(UtcTime, EpochSecondsRoundTripAcrossYearAndLeapDays) {
    EXPECT_EQ(toEpochSeconds({1970, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(toEpochSeconds({2025, 9, 15, 17, 45, 12}), 1757958312);
    for (const UtcTime& t : {UtcTime{2025, 12, 31, 23, 59, 59}, UtcTime{2024, 2, 29, 12, 0, 0}}) {
        EXPECT_EQ(compactTime(fromEpochSeconds(toEpochSeconds(t))), compactTime(t));
    }
    EXPECT_EQ(compactTime(fromEpochSeconds(toEpochSeconds({2024, 2, 28, 23, 59, 59}) + 1)),
              "20240229_000000");
    EXPECT_EQ(compactTime(fromEpochSeconds(toEpochSeconds({2025, 12, 31, 23, 59, 59}) + 1)),
              "20260101_000000");
}

}  // namespace
}  // namespace velta::sim
