#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "qc/BuddyCheck.h"
#include "qc/FilterCheck.h"
#include "qc/LimitCheck.h"
#include "qc/LowerLimiter.h"
#include "qc/OutlierCheck.h"
#include "qc/PressureMonoCheck.h"
#include "qc/SatelliteCheck.h"
#include "qc/SeriesGroup.h"
#include "qc/VerticalVelocityCheck.h"

namespace velta {
namespace {

// Values at times 0, 1, 2, ... (or at the given times).
DataSeries series(const std::vector<double>& values, std::vector<double> times = {}) {
    DataSeries s("S");
    for (std::size_t i = 0; i < values.size(); ++i) s.append(values[i], times.empty() ? double(i) : times[i]);
    return s;
}

// A group of four series over the same times; the others carry 100 + value etc.
// so that a removal at the wrong index would show.
struct Group4 {
    DataSeries a, b, c, d;
    explicit Group4(const std::vector<double>& values, std::vector<double> times = {})
        : a(series(values, times)), b(a), c(a), d(a) {
        for (int32_t i = 0; i < a.size(); ++i) {
            b.setValue(i, 100 + a.value(i));
            c.setValue(i, 200 + a.value(i));
            d.setValue(i, 300 + a.value(i));
        }
    }
    SeriesGroup group() { return {&a, &b, &c, &d}; }
    // Every member still holds the same times, and its values follow a's.
    void expectAligned() const {
        ASSERT_EQ(b.size(), a.size());
        ASSERT_EQ(c.size(), a.size());
        ASSERT_EQ(d.size(), a.size());
        for (int32_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(b.time(i), a.time(i));
            EXPECT_EQ(d.time(i), a.time(i));
            EXPECT_EQ(b.value(i), 100 + a.value(i));
            EXPECT_EQ(d.value(i), 300 + a.value(i));
        }
    }
};

std::vector<double> valuesOf(const DataSeries& s) { return s.values(); }
std::vector<double> timesOf(const DataSeries& s) { return s.times(); }

TEST(SeriesGroupTest, RemovesMarkedIndicesFromEveryMemberAndSkipsMissingOnes) {
    Group4 g({0, 1, 2, 3, 4, 5});
    SeriesGroup group{&g.a, &g.b, nullptr, &g.c, &g.b, &g.d};
    EXPECT_EQ(group.members().size(), 4u);
    EXPECT_EQ(group.removeMarked({1, 0, 0, 1, 0, 1, 1 /* beyond the end */}), 3);
    EXPECT_EQ(valuesOf(g.a), (std::vector<double>{1, 2, 4}));
    g.expectAligned();

    DataSeries s = series({1, 2});
    EXPECT_TRUE((SeriesGroup{nullptr, &s}).empty());  // nothing to compute on
}

TEST(LimitCheckTest, RemovesOutOfLimitAndNonNumericSamplesFromWholeGroup) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Group4 g({1000, 0, 1.0, 1200, 5000, nan, 850});
    SeriesGroup group = g.group();
    EXPECT_EQ(LimitCheck{}(group, 1.0, 1200.0), 3);
    EXPECT_EQ(valuesOf(g.a), (std::vector<double>{1000, 1.0, 1200, 850}));  // limits are inclusive
    EXPECT_EQ(timesOf(g.a), (std::vector<double>{0, 2, 3, 6}));
    g.expectAligned();
}

TEST(SatelliteCheckTest, RemovesWindsWithTooFewSatellitesExceptFirstMatches) {
    // Winds at 0..5; satellite counts at 0..6 (6 has no wind).
    Group4 g({10, 11, 12, 13, 14, 15});
    DataSeries sats = series({1, 2, 4, 3, 5, 1, 0});
    SeriesGroup group = g.group();
    // Minimum 4 (an option of 4.9 truncates to it): counts 2 (t=1), 3 (t=3), 1 (t=5) go;
    // the count 1 at t=0 is the first match and stays, count 4 stays.
    EXPECT_EQ(SatelliteCheck{}(sats, group, 4), 3);
    EXPECT_EQ(timesOf(g.a), (std::vector<double>{0, 2, 4}));
    g.expectAligned();

    // Matched by exact time only, and a first matched time later than the
    // first wind point is never removed either.
    Group4 h({10, 11, 12, 13}, {-1, 0.5, 1.5, 2.5});
    DataSeries sparse = series({0, 0, 0}, {0.5, 2.0, 2.5});
    SeriesGroup hg = h.group();
    EXPECT_EQ(SatelliteCheck{}(sparse, hg, 4), 1);
    EXPECT_EQ(timesOf(h.a), (std::vector<double>{-1, 0.5, 1.5}));

    // Fewer than two common times: nothing.
    Group4 k({10, 11, 12});
    DataSeries one = series({0}, {1});
    SeriesGroup kg = k.group();
    EXPECT_EQ(SatelliteCheck{}(one, kg, 4), 0);
    EXPECT_EQ(k.a.size(), 3);
}

TEST(BuddyCheckTest, SpikesAgainstBothNeighboursOutsideTheLastTwoPoints) {
    struct Case {
        const char* what;
        std::vector<double> values;
        std::vector<double> kept;
    };
    const Case cases[] = {
        {"spike at 1", {0, 10, 0, 0, 0}, {0, 0, 0, 0}},
        {"spike at the last-but-one point", {0, 0, 0, 10, 0}, {0, 0, 0, 10, 0}},
        {"step, not a spike", {0, 0, 10, 10, 10, 10}, {0, 0, 10, 10, 10, 10}},
        {"slopes equal to the limit", {0, 5, 0, 0, 0}, {0, 5, 0, 0, 0}},
        {"first point never tested", {10, 0, 0, 0}, {10, 0, 0, 0}},
        {"one scan over unchanged data: 1, 2 and 3 all jump", {0, 10, 0, 10, 0, 0, 0}, {0, 0, 0, 0}},
        {"too short", {0, 10}, {0, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Group4 g(c.values);
        SeriesGroup group = g.group();
        BuddyCheck{}(group, 5.0);
        EXPECT_EQ(valuesOf(g.a), c.kept);
        g.expectAligned();
    }
    // Slopes are per second: the same jump spread over 4 s is no spike.
    DataSeries slow = series({0, 10, 0, 0, 0}, {0, 4, 8, 12, 16});
    SeriesGroup one{&slow};
    EXPECT_EQ(BuddyCheck{}(one, 5.0), 0);
    // Two samples at the same time with different values jump infinitely fast.
    DataSeries twin = series({0, 10, 0, 0, 0}, {0, 1, 1, 2, 3});
    SeriesGroup tg{&twin};
    EXPECT_EQ(BuddyCheck{}(tg, 5.0), 1);
    EXPECT_EQ(valuesOf(twin), (std::vector<double>{0, 0, 0, 0}));
}

TEST(OutlierCheckTest, RemovesPointsFarFromTheRegressionLine) {
    // Line 2t with one wild point; the line is fitted once, with it included.
    std::vector<double> v;
    for (int i = 0; i < 20; ++i) v.push_back(2.0 * i);
    v[12] += 50;
    v[0] += 50;  // point 0 is never tested
    Group4 g(v);
    SeriesGroup group = g.group();
    EXPECT_EQ(OutlierCheck{}(group, 2.0), 1);
    EXPECT_EQ(g.a.size(), 19);
    EXPECT_EQ(g.a.value(0), 50);
    EXPECT_EQ(g.a.time(12), 13);
    g.expectAligned();
}

TEST(OutlierCheckTest, PerfectlyLinearSeriesKeepsEveryPoint) {
    // The residuals of a perfect line are rounding noise; with sigma = 0 a
    // threshold of 0 would remove good samples for it.
    DataSeries s("S");
    for (int i = 0; i < 50; ++i) s.append(1013.25 - 0.1 * i, 0.25 * i + 0.1);
    SeriesGroup group{&s};
    EXPECT_EQ(OutlierCheck{}(group, 10.0), 0);
    EXPECT_EQ(s.size(), 50);
}

TEST(FilterCheckTest, RemovesPointsFarFromTheSplineAndSparesFlaggedEnds) {
    // A smooth ramp at 4 Hz with one spike; flagged launch and surface points far off the curve.
    std::vector<double> v, t;
    for (int i = 0; i < 200; ++i) {
        t.push_back(0.25 * i);
        v.push_back(500 + 0.5 * t.back());
    }
    v[100] += 20;
    v[0] -= 30;
    v[199] += 30;
    Group4 g(v, t);
    g.a.setFlags(0, FlagLaunch);
    g.a.setFlags(199, FlagSurface);
    SeriesGroup group = g.group();
    bool failed = true;
    EXPECT_GE(FilterCheck{}(group, 3.0, 10.0, failed), 1);
    EXPECT_FALSE(failed);
    g.expectAligned();
    EXPECT_EQ(g.a.value(0), v[0]);
    EXPECT_EQ(g.a.value(g.a.lastIndex()), v[199]);
    for (int32_t i = 0; i < g.a.size(); ++i) EXPECT_NE(g.a.time(i), 25.0) << "spike kept";
    // Only the neighbourhood of the spike may go.
    for (double time : {10.0, 40.0}) EXPECT_TRUE(g.a.interpolate(time, 0)) << time;
}

TEST(FilterCheckTest, TooFewPointsAndFailedFits) {
    bool failed = true;
    DataSeries two = series({500, 900});
    SeriesGroup g2{&two};
    EXPECT_EQ(FilterCheck{}(g2, 0.001, 10.0, failed), 0);
    EXPECT_FALSE(failed);  // too short is not a failure
    EXPECT_EQ(two.size(), 2);

    DataSeries sameTime = series({500, 900, 700}, {3, 3, 3});
    SeriesGroup g3{&sameTime};
    EXPECT_EQ(FilterCheck{}(g3, 0.001, 10.0, failed), 0);
    EXPECT_TRUE(failed);
    EXPECT_EQ(sameTime.size(), 3);
}

TEST(PressureMonoCheckTest, KeepsOrderAgainstAcceptedSamples) {
    struct Case {
        const char* what;
        bool ascending;
        std::vector<double> values;
        std::vector<double> kept;
    };
    const Case cases[] = {
        {"drop: 499 breaks the order, 502 compared with 501", false, {500, 501, 499, 502}, {500, 501, 502}},
        {"drop: equal values accepted", false, {500, 500, 501}, {500, 500, 501}},
        {"drop: below 1 mb removed whatever the order", false, {0.5, 0.9, 2, 3}, {0.5, 2, 3}},
        {"drop: a low spike does not become the reference", false, {500, 100, 501, 502}, {500, 501, 502}},
        {"ascent: pressure falls", true, {1000, 990, 995, 980, 0.5}, {1000, 990, 980}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DataSeries s = series(c.values);
        PressureMonoCheck{}(s, c.ascending);
        EXPECT_EQ(valuesOf(s), c.kept);
    }
    DataSeries empty("S");
    EXPECT_EQ(PressureMonoCheck{}(empty, false), 0);
}

TEST(VerticalVelocityCheckTest, DropsWindsWhereFallRatesDisagree) {
    // Winds at -1 (launch) and 0..9; hydrostatic fall rate -10 throughout, GPS
    // rate off by 5 at t = 3, by exactly the limit at t = 5, off at 8 and 9 too.
    std::vector<double> t{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    Group4 g({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, t);
    g.a.setFlags(0, FlagLaunch);
    DataSeries hydro = series(std::vector<double>(10, -10.0), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    DataSeries gps =
        series({-10, -10, -10, -15, -10, -12.5, -10, -10, -20, -20}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    SeriesGroup group = g.group();
    EXPECT_EQ(VerticalVelocityCheck{}(group, hydro, gps, 2.5), 2);
    // t = 3 and t = 8 go; t = 9 is the last point and is not tested.
    EXPECT_EQ(timesOf(g.a), (std::vector<double>{-1, 0, 1, 2, 4, 5, 6, 7, 9}));
    g.expectAligned();

    // No hydrostatic rate within a 60 s bracket: the wind point stays.
    DataSeries gappy = series({-10, -10}, {0, 100});
    Group4 h({1, 2, 3, 4, 5, 6}, {0, 1, 2, 50, 98, 99});
    DataSeries bad = series(std::vector<double>(6, 0.0), {0, 1, 2, 50, 98, 99});
    SeriesGroup hg = h.group();
    EXPECT_EQ(VerticalVelocityCheck{}(hg, gappy, bad, 2.5), 1);  // only t = 0, an exact match
    EXPECT_EQ(timesOf(h.a), (std::vector<double>{1, 2, 50, 98, 99}));

    // Too few points between the flagged ends: nothing tested.
    Group4 k({1, 2, 3, 4, 5}, {-1, 0, 1, 2, 3});
    k.a.setFlags(0, FlagLaunch);
    k.a.setFlags(4, FlagSurface);
    SeriesGroup kg = k.group();
    EXPECT_EQ(VerticalVelocityCheck{}(kg, hydro, gps, 0.0), 0);
}

TEST(LowerLimiterTest, RaisesValuesBelowTheFloorIncludingPointZero) {
    DataSeries rh = series({0.0, 0.19, 0.2, 0.21, -3, 55});
    EXPECT_EQ(LowerLimiter{}(rh, 0.2), 3);
    EXPECT_EQ(valuesOf(rh), (std::vector<double>{0.2, 0.2, 0.2, 0.21, 0.2, 55}));
}

}  // namespace
}  // namespace velta
