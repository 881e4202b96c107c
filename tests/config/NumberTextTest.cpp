#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/NumberText.h"

namespace velta {
namespace {

TEST(NumberText, LeadingNumberReadsAsAtofDoes) {
    for (const char* text :
         {"12.5", "  -3.25xyz", "+4",  "\t\n7e2", "1e-2", ".5", "-.5e1", "abc",    "",       "+",   "-",
          "+-3",  "--3",        " 0x", "1e",      "1e+",  "5.", "1e400", "-1e400", "1e-400", "inf", "-nan"}) {
        double expected = std::atof(text);
        double got = leadingNumber(text);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << text;
        } else {
            EXPECT_EQ(got, expected) << '"' << text << '"';
        }
    }
}

TEST(NumberText, FormatFixed6MatchesPrintf) {
    for (double v : {0.0, -0.0, 1.0, 2.5, -3.1234567, 676.0, 1e20, 123456.0000005, -1e-7}) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.6f", v);
        EXPECT_EQ(formatFixed6(v), buffer) << v;
    }
    EXPECT_EQ(formatFixed6(1e300).size(), 301u + 7u);
}

TEST(NumberText, Trimming) {
    EXPECT_EQ(trimConfigText("\r\n  a\tb  c \n"), "a\tb  c");
    EXPECT_EQ(trimConfigText("\tx\t"), "\tx\t");
    EXPECT_EQ(trimConfigText(" \n "), "");
    EXPECT_EQ(trimWhiteSpace("\t 12.5 \n"), "12.5");
    EXPECT_EQ(trimWhiteSpace(" \t "), "");
}

}  // namespace
}  // namespace velta
