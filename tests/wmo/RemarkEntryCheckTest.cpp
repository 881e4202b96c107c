// What the heading and remark entries may hold.
#include <gtest/gtest.h>

#include <string>

#include "wmo/RemarkEntryCheck.h"

namespace velta {
namespace {

TEST(RemarkEntryCheck, IcaoIsFourLetters) {
    for (const char* good : {"KNHC", "KBIX", "ZZZZ"}) EXPECT_TRUE(validIcao(good)) << good;
    for (const char* bad : {"", "KNH", "KNHCX", "K\nNH", "knhc", "K1HC", "    ", "KN C"})
        EXPECT_FALSE(validIcao(bad)) << bad;
}

TEST(RemarkEntryCheck, RemarksArePrintableAsciiOfTheFieldsWidth) {
    EXPECT_TRUE(validRemarkText("", 5));
    EXPECT_TRUE(validRemarkText("AF 30", 5));
    EXPECT_TRUE(validRemarkText("~!@#$", 5));
    EXPECT_FALSE(validRemarkText("AF3091", 5));
    EXPECT_FALSE(validRemarkText("AF\t30", 5));
    EXPECT_FALSE(validRemarkText("AF\x7f", 5));
    EXPECT_FALSE(validRemarkText("\xc3\xa9t\xc3\xa9", 12));
    EXPECT_FALSE(validRemarkText(std::string("A\0B", 3), 5));
}

}  // namespace
}  // namespace velta
