#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "sounding/DataSeries.h"

namespace velta {
namespace {

DataSeries makeSeries(const std::vector<std::pair<double, double>>& timeValue, const char* name = "S") {
    DataSeries s(name);
    for (auto [t, v] : timeValue) s.append(v, t);
    return s;
}

std::vector<double> timesOf(const DataSeries& s) { return s.times(); }

TEST(DataSeries, NamesCopiesAndFlags) {
    DataSeries unnamed;
    EXPECT_EQ(unnamed.name(), "Unassigned");
    EXPECT_EQ(unnamed.lastIndex(), -1);

    DataSeries s = makeSeries({{0, 1}, {1, 2}}, "RawPres");
    s.setFlags(1, FlagLaunch);
    s.setFlags(1, FlagOverride);
    EXPECT_TRUE(s.hasFlags(1, FlagLaunch | FlagOverride));
    EXPECT_FALSE(s.hasFlags(1, FlagLaunch | FlagSurface));
    EXPECT_EQ(s.flags(0), 0);

    DataSeries copy(s, "QCPres");
    EXPECT_EQ(copy.name(), "QCPres");
    EXPECT_EQ(s.name(), "RawPres");
    EXPECT_EQ(copy.flags(1), FlagLaunch | FlagOverride);
    copy.setValue(0, 99);
    EXPECT_EQ(s.value(0), 1);
}

TEST(DataSeries, InsertInOrderPutsNewPointBeforeEqualTimes) {
    DataSeries s = makeSeries({{0, 0}, {2, 20}, {2, 21}, {4, 40}});
    EXPECT_EQ(s.insertInOrder({2, 19, FlagOverride}), 1);
    EXPECT_EQ(s.value(1), 19);
    EXPECT_EQ(s.flags(1), FlagOverride);
    EXPECT_EQ(s.insertInOrder({9, 90, 0}), 5);
    EXPECT_EQ(s.insertInOrder({-3, -30, 0}), 0);
    EXPECT_EQ(timesOf(s), (std::vector<double>{-3, 0, 2, 2, 2, 4, 9}));
}

struct InterpolateCase {
    double t, gap;
    std::optional<double> expected;
};

TEST(DataSeries, InterpolateUnderGapLimit) {
    const DataSeries s = makeSeries({{0, 10}, {1, 20}, {11, 120}, {12, 130}});
    const InterpolateCase cases[] = {
        {0.5, 2, 15},             // inside a short gap
        {11, 2, 120},             // at a record time: its value although the neighbour is 10 s away
        {1, 0, 20},               // likewise with no gap allowed at all
        {5, 2, std::nullopt},     // bracketed by a pair farther apart than the limit
        {5, 10, 60},              // the same pair just within the limit
        {-1, 100, std::nullopt},  // before the series
        {13, 100, std::nullopt},  // after it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "t=" << c.t << " gap=" << c.gap);
        const auto got = s.interpolate(c.t, c.gap);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.expected);
        }
    }
}

TEST(DataSeries, InterpolateSmallSeriesAndRepeatedTimes) {
    EXPECT_FALSE(DataSeries().interpolate(0, 1e9));
    const DataSeries one = makeSeries({{3, 7}});
    EXPECT_EQ(one.interpolate(3, 0), 7);
    EXPECT_FALSE(one.interpolate(3.5, 1e9));

    // A record at exactly t answers first, so of two records at the same time
    // the earlier one gives the value.
    const DataSeries dup = makeSeries({{0, 1}, {5, 2}, {5, 4}, {10, 8}});
    EXPECT_EQ(dup.interpolate(5, 1), 2);
    EXPECT_DOUBLE_EQ(*dup.interpolate(7.5, 5), 6);
}

TEST(DataSeries, InterpolateOutOfOrderTimesUsesFirstBracketingPair) {
    // Pairs (0,10) and (10,5) both bracket 7.5; the first one from the start wins.
    const DataSeries s = makeSeries({{0, 0}, {10, 100}, {5, 0}});
    EXPECT_DOUBLE_EQ(*s.interpolate(7.5, 100), 75);

    // A point put in front out of order must be seen by later lookups.
    DataSeries t = makeSeries({{0, 0}, {10, 100}});
    t.insertAtFront(0, 100);
    EXPECT_DOUBLE_EQ(*t.interpolate(5, 1000), 0);
    DataSeries u = makeSeries({{0, 0}, {10, 100}});
    u.append(0, -10);
    EXPECT_DOUBLE_EQ(*u.interpolate(5, 1000), 50);
    EXPECT_DOUBLE_EQ(*u.interpolate(-5, 1000), 25);
}

TEST(DataSeries, TimeAtValue) {
    const DataSeries s = makeSeries({{0, 10}, {1, 20}, {2, 20}, {3, 40}});
    EXPECT_DOUBLE_EQ(*s.timeAtValue(15), 0.5);
    EXPECT_DOUBLE_EQ(*s.timeAtValue(30), 2.5);
    EXPECT_EQ(s.timeAtValue(20), 1);
    EXPECT_FALSE(s.timeAtValue(50));
    EXPECT_FALSE(s.timeAtValue(5));
    // No gap limit on the inverse.
    EXPECT_DOUBLE_EQ(*makeSeries({{0, 0}, {1000, 10}}).timeAtValue(5), 500);
    EXPECT_EQ(makeSeries({{4, 1}}).timeAtValue(1), 4);
    EXPECT_FALSE(makeSeries({{4, 1}}).timeAtValue(2));
    EXPECT_FALSE(DataSeries().timeAtValue(0));
}

TEST(DataSeries, ValueAtOrBeyondExtrapolatesEndPointsWithinSpan) {
    const DataSeries s = makeSeries({{0, 1}, {1, 3}, {2, 5}, {3, 7}, {4, 9}});  // v = 2t + 1
    const InterpolateCase cases[] = {
        {2.5, 1, 6},             // inside: interpolation with the span as gap limit
        {-1, 3, -1},             // before: line through t = 0..2
        {6, 3, 13},              // after: line through t = 3, 4
        {-2, 2, 1},              // one point within span: its value
        {-10, 2, std::nullopt},  // no point within span
        {10, 2, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "t=" << c.t << " span=" << c.gap);
        const auto got = s.valueAtOrBeyond(c.t, c.gap);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (got) {
            EXPECT_NEAR(*got, *c.expected, 1e-12);
        }
    }
    EXPECT_FALSE(DataSeries().valueAtOrBeyond(0, 10));
    // Several collected points all at one time give no line.
    EXPECT_FALSE(makeSeries({{0, 1}, {0, 3}, {5, 0}}).valueAtOrBeyond(-1, 2));
}

TEST(DataSeries, FitIsCachedUntilAPointChanges) {
    DataSeries s = makeSeries({{0, 3}, {1, 5}, {2, 7}});
    EXPECT_DOUBLE_EQ(s.fit().slope, 2);
    EXPECT_DOUBLE_EQ(s.fit().intercept, 3);
    EXPECT_EQ(s.fit().rms, 0);

    s.setValue(2, 0);  // (0,3) (1,5) (2,0)
    EXPECT_DOUBLE_EQ(s.fit().slope, -1.5);
    EXPECT_DOUBLE_EQ(s.fit().intercept, 4.16666666666666667);

    DataSeries copy(s, "copy");
    copy.append(1, 3);  // (0,3) (1,5) (2,0) (3,1)
    EXPECT_NEAR(copy.fit().slope, -1.1, 1e-12);
    EXPECT_DOUBLE_EQ(s.fit().slope, -1.5);

    DataSeries r = makeSeries({{0, 0}, {1, 1}, {2, 0}, {3, 1}});
    EXPECT_NEAR(r.fit().slope, 0.2, 1e-12);
    EXPECT_NEAR(r.fit().intercept, 0.2, 1e-12);
    EXPECT_NEAR(r.fit().rms, std::sqrt(0.2), 1e-12);
    r.removeAt(3);
    r.removeAt(2);
    EXPECT_NEAR(r.fit().slope, 1, 1e-12);
    EXPECT_EQ(r.fit().rms, 0);

    // All times equal: a flat line through the mean, not NaN.
    const DataSeries same = makeSeries({{5, 1}, {5, 3}});
    EXPECT_EQ(same.fit().slope, 0);
    EXPECT_EQ(same.fit().intercept, 2);
}

struct RemoveCase {
    const char* what;
    void (*op)(DataSeries&);
    std::vector<double> expectedTimes;
};

TEST(DataSeries, Trimming) {
    const RemoveCase cases[] = {
        {"up to inside", [](DataSeries& s) { s.removeUpTo(2.5); }, {2, 3, 4}},
        {"up to a record time", [](DataSeries& s) { s.removeUpTo(2); }, {2, 3, 4}},
        {"up to beyond the end", [](DataSeries& s) { s.removeUpTo(10); }, {4}},
        {"up to before the start", [](DataSeries& s) { s.removeUpTo(-1); }, {0, 1, 2, 3, 4}},
        {"after inside", [](DataSeries& s) { s.removeAfter(2); }, {0, 1, 2}},
        {"after before the start keeps the first", [](DataSeries& s) { s.removeAfter(-5); }, {0}},
        {"after beyond the end", [](DataSeries& s) { s.removeAfter(4); }, {0, 1, 2, 3, 4}},
        {"between", [](DataSeries& s) { s.removeBetween(0.5, 3.5); }, {0, 3, 4}},
        {"between record times", [](DataSeries& s) { s.removeBetween(0, 4); }, {0, 3, 4}},
        {"between one apart", [](DataSeries& s) { s.removeBetween(1, 3); }, {0, 1, 2, 3, 4}},
        {"between reversed", [](DataSeries& s) { s.removeBetween(3, 1); }, {0, 1, 2, 3, 4}},
        {"between after the end", [](DataSeries& s) { s.removeBetween(5, 6); }, {0, 1, 2, 3, 4}},
        {"between ending at the first", [](DataSeries& s) { s.removeBetween(-3, 0.5); }, {0, 1, 2, 3, 4}},
        {"between over everything", [](DataSeries& s) { s.removeBetween(-3, 30); }, {4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DataSeries s = makeSeries({{0, 0}, {1, 10}, {2, 20}, {3, 30}, {4, 40}});
        c.op(s);
        EXPECT_EQ(s.times(), c.expectedTimes);
        for (int i = 0; i < s.size(); ++i) EXPECT_EQ(s.value(i), s.time(i) * 10);
    }

    DataSeries one = makeSeries({{100, 1}});
    one.removeAfter(0);
    EXPECT_EQ(one.size(), 1);
    DataSeries none;
    none.removeAfter(0);
    none.removeUpTo(0);
    none.removeBetween(0, 1);
    EXPECT_EQ(none.size(), 0);
}

TEST(DataSeries, CommonTimesPairsRepeatedTimesInOrder) {
    DataSeries a = makeSeries({{0, 1}, {1, 2}, {1, 3}, {2, 4}, {3, 5}}, "RawWspd");
    a.setFlags(4, FlagSurface);
    const DataSeries b = makeSeries({{1, 20}, {1, 30}, {1, 40}, {3, 50}, {4, 60}}, "RawWdir");
    const auto [ca, cb] = a.commonTimes(b);
    EXPECT_EQ(ca.name(), "RawWspd");
    EXPECT_EQ(cb.name(), "RawWdir");
    EXPECT_EQ(ca.times(), (std::vector<double>{1, 1, 3}));
    EXPECT_EQ(cb.times(), (std::vector<double>{1, 1, 3}));
    EXPECT_EQ(ca.values(), (std::vector<double>{2, 3, 5}));
    EXPECT_EQ(cb.values(), (std::vector<double>{20, 30, 50}));
    EXPECT_EQ(ca.flags(2), FlagSurface);

    EXPECT_EQ(a.commonTimes(DataSeries()).first.size(), 0);
}

TEST(DataSeries, Dump) {
    DataSeries s = makeSeries({{-1, 1234.5}, {2, -0.04}}, "RawPres");
    const std::vector<std::string> lines = s.dump(0, 99, "raw");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "RawPres values for indices 0:1 raw\n");
    EXPECT_EQ(lines[1], "     1.2e+03 (t   -1.0)");
    EXPECT_EQ(lines[2], "    -4.0e-02 (t    2.0)");
    EXPECT_EQ(DataSeries("E").dump(0, 5, "h"), std::vector<std::string>{"E values for indices 0:-1 h\n"});
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

// Lookups with a position hint answer exactly what plain lookups answer, for
// increasing, repeated, decreasing and out-of-range times, gaps included.
TEST(DataSeries, HintedInterpolationMatchesPlainLookups) {
    DataSeries s("S");
    double t = -1.0;
    for (int i = 0; i < 200; ++i) {
        s.append(std::sin(i * 0.3) * 10.0, t);
        t += (i % 37 == 0) ? 75.0 : (i % 11 == 0 ? 0.0 : 0.25);  // gaps and repeated times
    }
    std::vector<double> queries;
    for (double q = -5.0; q < t + 5.0; q += 0.1) queries.push_back(q);
    for (int i = 0; i < s.size(); ++i) queries.push_back(s.time(i));   // exact times, in order
    for (double q = t; q > -5.0; q -= 7.3) queries.push_back(q);       // backwards
    std::size_t hint = 0;
    for (double q : queries) {
        const std::optional<double> plain = s.interpolate(q, 60.0);
        const std::optional<double> hinted = s.interpolate(q, 60.0, hint);
        ASSERT_EQ(plain.has_value(), hinted.has_value()) << q;
        if (plain) {
            EXPECT_EQ(*plain, *hinted) << q;
        }
    }
}

}  // namespace
}  // namespace velta
