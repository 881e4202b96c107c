#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "wmo/CodeFigures.h"

namespace velta {
namespace {

const double Nan = std::numeric_limits<double>::quiet_NaN();

struct OneValue {
    double value;
    const char* expected;
};

TEST(CodeFiguresTest, Pressure) {
    const OneValue cases[] = {
        {1013.4, "013"}, {999.6, "000"},  {850.0, "850"}, {85.3, "853"}, {100.0, "000"},
        {100.04, "100"},  // just below the 100 mb level: whole mb
        {1100.0, "100"}, {1100.1, "///"}, {0.0, "///"},   {-3.0, "///"}, {Nan, "///"},
    };
    for (const OneValue& c : cases) EXPECT_EQ(codePressure(c.value), c.expected) << c.value;
}

TEST(CodeFiguresTest, Height) {
    struct Case {
        double height, pressure;
        const char* expected;
    };
    const Case cases[] = {
        {1512, 850, "512"},  {5830, 500, "583"},    {10360, 250, "036"},
        {-30, 1000, "530"},  {-499.9, 1000, "000"},  // 999.9 rounds to 1000
        {-500, 1000, "///"}, {0, 1000, "000"},      {999.6, 925, "000"},
        {16580, 100, "658"}, {30950, 10, "095"},    {Nan, 850, "///"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codeHeight(c.height, c.pressure), c.expected) << c.height << " at " << c.pressure;
    // An absurd height ends at once and keeps three figures.
    EXPECT_EQ(codeHeight(1e300, 10).size(), 3u);
}

TEST(CodeFiguresTest, Temperature) {
    const OneValue cases[] = {
        {12.3, "122"}, {-12.34, "123"}, {-0.04, "001"},
        {0.0, "000"},  {0.04, "000"},   {-0.05, "001"},  // -0.5 tenths rounds up to 0: still marked negative
        {25.0, "250"}, {-56.7, "567"},  {-56.8, "569"},
        {99.9, "998"}, {100.0, "///"},  {Nan, "///"},
    };
    for (const OneValue& c : cases) EXPECT_EQ(codeTemperature(c.value), c.expected) << c.value;
}

TEST(CodeFiguresTest, DewPointDepression) {
    const OneValue cases[] = {
        {3.44, "34"}, {5.0, "50"},  {5.2, "50"},  {5.4, "50"}, {5.5, "56"},  {12.6, "63"}, {49.4, "99"},
        {48.6, "99"}, {48.4, "98"}, {55.0, "99"}, {0.0, "00"}, {-0.1, "//"}, {Nan, "//"},
    };
    for (const OneValue& c : cases) EXPECT_EQ(codeDepression(c.value), c.expected) << c.value;
    // Saturated air: no depression.
    EXPECT_EQ(codeDewPointDepression(20.0, 100.0), "00");
}

TEST(CodeFiguresTest, Wind) {
    struct Case {
        double speed, direction;
        const char* expected;
    };
    const Case cases[] = {
        {10, 273, "27519"},  {10, 358, "36019"},   {10, 4, "00519"},   {0.2, 123, "00000"},
        {60, 90, "09117"},   {10, 2.5, "36019"},   {10, 7.5, "00519"}, {10, 357.5, "35519"},
        {10, 360, "36019"},  {51.5, 180, "18100"},  // 100.1 kt
        {900, 180, "18///"}, {300, 180, "18///"},   // 583 kt has no code
        // Knots by 1852 m an hour: 1.94 would give 97 and 40 kt.
        {50.2, 180, "18098"}, {20.85, 270, "27041"},
        // North at 100 kt and more is 36 too: "00" is calm, and "00116" would
        // read as calm or as a direction of 001.
        {60, 0, "36117"},    {60, 359, "36117"},   {60, 2, "36117"},
        {60, 5, "00617"},    // 005 deg: the 500 of fff carries the 5
    };
    for (const Case& c : cases)
        EXPECT_EQ(codeWind(c.speed, c.direction), c.expected) << c.speed << " from " << c.direction;
}

TEST(CodeFiguresTest, TwoFigurePressureAndLevelNumber) {
    const OneValue cases[] = {{1000, "00"}, {925, "92"}, {850, "85"},  {100, "10"}, {70, "70"},
                              {7, "07"},    {1, "01"},   {99.7, "10"}, {Nan, "//"}};
    for (const OneValue& c : cases) EXPECT_EQ(codeTwoFigurePressure(c.value), c.expected) << c.value;
    EXPECT_EQ(codeLevelNumber(0), "00");
    EXPECT_EQ(codeLevelNumber(9), "99");
    EXPECT_EQ(codeLevelNumber(11), "11");
}

TEST(CodeFiguresTest, QuadrantAndMarsdenSquare) {
    struct Case {
        double lat, lon;
        const char* quadrant;
        const char* square;
    };
    const Case cases[] = {
        {25.3, -75.6, "7", "08055"},  // d 8, e 3: 8 + 108 - 36
        {5.0, 5.0, "1", "03655"},      {-5.0, 5.0, "3", "33555"},       {-5.0, -5.0, "5", "30055"},
        {0.0, 0.0, "1", "03600"},      {-0.1, -0.1, "5", "30000"},      {10.0, 100.0, "1", "06200"},
        {81.2, -15.0, "7", "90215"},   {85.0, 25.0, "1", "93455"},  // north of 80: 901 to 936
        {89.99, 179.99, "1", "91900"},  // units of the rounded tenths: 90.0 and 180.0
        {90.0, -180.0, "7", "91800"},  {-89.99, -179.99, "5", "60500"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codeQuadrant(c.lat, c.lon), c.quadrant) << c.lat << "," << c.lon;
        EXPECT_EQ(codeMarsdenSquare(c.lat, c.lon, c.quadrant), c.square) << c.lat << "," << c.lon;
    }
    EXPECT_EQ(codeMarsdenSquare(25.3, -75.6, "/"), "/////");
}

TEST(CodeFiguresTest, WindIndicatorAndShear) {
    struct Case {
        int part;
        double p;
        const char* expected;
    };
    const Case cases[] = {{0, 150, "1"}, {0, 250, "2"}, {0, 300, "3"}, {0, 400, "4"},  {0, 500, "5"},
                          {0, 700, "7"}, {0, 850, "8"}, {0, 925, "9"}, {0, 1000, "0"}, {2, 10, "1"},
                          {2, 20, "2"},  {2, 30, "3"},  {2, 50, "5"},  {2, 70, "7"}};
    for (const Case& c : cases) EXPECT_EQ(codeWindIndicator(c.part, c.p), c.expected) << c.p;
    EXPECT_EQ(codeWindShear(20, 90, 10, 90), "19");   // 10 m/s difference: 19.4 kt
    EXPECT_EQ(codeWindShear(31, 90, 31, 270), "99");  // 120 kt caps at 99
}

}  // namespace
}  // namespace velta
