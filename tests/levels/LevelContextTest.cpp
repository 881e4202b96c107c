#include <gtest/gtest.h>

#include "LevelTestSupport.h"
#include "levels/LevelContext.h"

namespace velta {
namespace {

using test::makeSeries;

// The one-pass lookup must answer exactly what interpolation at each time
// answers: exact times, gaps over 60 s, repeated times, both ends.
TEST(LevelContext, PressuresAtPointsMatchInterpolation) {
    test::SeriesSet s;
    s.pres =
        makeSeries({{-1, 700}, {0, 701}, {10, 705}, {10, 706}, {20, 710}, {90, 760}, {95, 765}, {100, 770}});
    s.tdry = makeSeries(
        {{-5, 0}, {-1, 0}, {0.5, 0}, {10, 0}, {15, 0}, {50, 0}, {92, 0}, {95, 0}, {100, 0}, {101, 0}});
    LevelContext ctx(s.view(), LevelOptions{}, MissingValue);
    const auto fast = ctx.pressuresAtPointsOf(s.tdry);
    ASSERT_EQ(fast.size(), static_cast<std::size_t>(s.tdry.size()));
    for (int32_t i = 0; i < s.tdry.size(); ++i)
        EXPECT_EQ(fast[static_cast<std::size_t>(i)], LevelContext::at(s.pres, s.tdry.time(i)))
            << s.tdry.time(i);

    // Pressure lookups outside the range of the series find nothing; inside they match the series.
    EXPECT_FALSE(ctx.pressureTime(699.9));
    EXPECT_FALSE(ctx.pressureTime(770.1));
    EXPECT_EQ(ctx.pressureTime(735.0), s.pres.timeAtValue(735.0));
    EXPECT_EQ(ctx.pressureTime(770.0), 100.0);
}

}  // namespace
}  // namespace velta
