#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "RecordingSurface.h"
#include "plot/LineClipper.h"
#include "plot/MoistAdiabat.h"
#include "plot/SkewTDiagram.h"
#include "plot/WindBarb.h"
#include "sounding/DataSeries.h"

namespace velta {
namespace {

using test::RecordingSurface;

TEST(SkewTCoordinatesTest, TransformAndInverse) {
    const SkewTCoordinates c;
    EXPECT_DOUBLE_EQ(c.y(1050.0), 0.0);
    EXPECT_DOUBLE_EQ(c.y(100.0), 1.0);
    EXPECT_DOUBLE_EQ(c.x(-40.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(c.x(40.0, 0.0), 1.0);
    // At the top the isotherms are shifted right by 1/1.125 of the box.
    EXPECT_NEAR(c.x(-40.0, 1.0), 1.0 / 1.125, 1e-12);
    EXPECT_DOUBLE_EQ(SkewTCoordinates::plotX(0.0), 0.07);
    EXPECT_NEAR(SkewTCoordinates::plotY(1.0), 0.9, 1e-12);

    const SkewTCoordinates zoomed(SkewTRanges{-20.0, 10.0, 300.0, 700.0});
    for (const SkewTCoordinates* coords : {&c, &zoomed}) {
        for (double p : {1050.0, 850.0, 500.0, 250.0, 100.0, 30.0}) {
            for (double t : {-90.0, -40.0, 0.0, 25.0}) {
                const DiagramPoint d = coords->toDiagram(t, p);
                EXPECT_NEAR(coords->pressure(d.y), p, 1e-9 * p);
                EXPECT_NEAR(coords->temperature(d.x, d.y), t, 1e-9);
                const double X = SkewTCoordinates::plotX(d.x);
                EXPECT_NEAR(SkewTCoordinates::diagramX(X), d.x, 1e-12);
            }
        }
    }
}

TEST(SkewTCoordinatesTest, ClippingToTheUnitSquare) {
    Segment across{-1.0, 0.5, 2.0, 0.5};
    ASSERT_TRUE(clipToUnitSquare(across));
    EXPECT_DOUBLE_EQ(across.x1, 0.0);
    EXPECT_DOUBLE_EQ(across.x2, 1.0);

    Segment diagonal{-0.5, -0.5, 0.5, 0.5};
    ASSERT_TRUE(clipToUnitSquare(diagonal));
    EXPECT_DOUBLE_EQ(diagonal.x1, 0.0);
    EXPECT_DOUBLE_EQ(diagonal.y1, 0.0);

    Segment corner{-0.5, 0.6, 0.6, 1.7};  // passes outside the top-left corner
    EXPECT_FALSE(clipToUnitSquare(corner));
    Segment notANumber{NAN, 0.5, 0.5, 0.5};
    EXPECT_FALSE(clipToUnitSquare(notANumber));
}

TEST(SkewTLinesTest, IsothermsAtDefaultRangesStartAtMinus120AndShowOnlyThoseCrossingTheBox) {
    const std::vector<double> isotherms = isothermTemperatures(SkewTRanges{});
    ASSERT_EQ(isotherms.size(), 16u);
    EXPECT_DOUBLE_EQ(isotherms.front(), -120.0);
    EXPECT_DOUBLE_EQ(isotherms.back(), 30.0);

    RecordingSurface surface;
    SkewTDiagram diagram(surface, {}, 20, "banner", "C:\\data\\D20050827_183401.1");
    diagram.draw();
    // No winds, so every style-3 line is an isotherm; -120 misses the box.
    EXPECT_EQ(surface.count(PlotStyle::Isotherm), 15);
    const auto labels = surface.textsOf(PlotStyle::Isotherm);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "|c-110"), 1);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "|c-120"), 0);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "|c30"), 1);
    // The isotherms that meet the bottom axis are labelled along it, under the box.
    int bottom = 0;
    for (std::size_t i = 0; i < surface.texts.size(); ++i)
        if (surface.texts[i].style == PlotStyle::Isotherm && surface.texts[i].y < 0.07) ++bottom;
    EXPECT_GE(bottom, 8);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "|lD20050827_183401.1"), 1);
    for (const auto& l : surface.lines) {
        EXPECT_GE(std::min(l.x1, l.x2), 0.07 - 1e-12);
        EXPECT_LE(std::max(l.y1, l.y2), 0.9 + 1e-12);
    }
    EXPECT_EQ(surface.calls.front(), "clear");
    EXPECT_EQ(surface.calls.back(), "refresh");
    EXPECT_EQ(surface.titles, (std::vector<std::string>{"banner", ""}));
}

TEST(SkewTLinesTest, FamiliesAndTheirLabels) {
    RecordingSurface surface;
    SkewTDiagram diagram(surface, {}, 20, "", "");
    diagram.draw();
    auto isobars = surface.textsOf(PlotStyle::Isobar);
    // The two axis titles share the style.
    EXPECT_NE(std::find(isobars.begin(), isobars.end(), "|lPressure (mb)"), isobars.end());
    EXPECT_NE(std::find(isobars.begin(), isobars.end(), "|rTemperature (\u00B0C)"), isobars.end());
    isobars.erase(std::remove_if(isobars.begin(), isobars.end(),
                                 [](const std::string& t) { return t.find('(') != std::string::npos; }),
                  isobars.end());
    ASSERT_EQ(isobars.size(), 10u);
    EXPECT_EQ(isobars.front(), "|r 100");
    EXPECT_EQ(isobars.back(), "|r1000");
    EXPECT_EQ(surface.count(PlotStyle::Isobar), 10);
    EXPECT_GT(surface.count(PlotStyle::DryAdiabat), 0);
    EXPECT_GT(surface.count(PlotStyle::MoistAdiabat), 0);
    const auto ratios = surface.textsOf(PlotStyle::MixingRatio);
    EXPECT_NE(std::find(ratios.begin(), ratios.end(), "|r0.4"), ratios.end());
    EXPECT_NE(std::find(ratios.begin(), ratios.end(), "|r20"), ratios.end());
}

TEST(SkewTLinesTest, NoMoistLinesWhenTheBottomIsAbove200mb) {
    EXPECT_TRUE(showsMoistLines(SkewTRanges{}));
    EXPECT_FALSE(showsMoistLines(SkewTRanges{-80.0, -20.0, 100.0, 190.0}));

    RecordingSurface surface;
    SkewTDiagram diagram(surface, {}, 20, "", "");
    // Drag a rectangle over the top of the box, down to about 150 mb.
    const double bottom = SkewTCoordinates::plotY(diagram.coordinates().y(150.0));
    surface.zoom = {0.3, bottom, 0.6, 0.95};
    diagram.zoomToSelection();
    EXPECT_NEAR(diagram.ranges().pbot, 150.0, 1e-6);
    EXPECT_NEAR(diagram.ranges().ptop, 100.0, 1e-6);  // the top is cut to the box
    EXPECT_EQ(surface.count(PlotStyle::MoistAdiabat), 0);
    EXPECT_EQ(surface.count(PlotStyle::MixingRatio), 0);
    EXPECT_GT(surface.count(PlotStyle::DryAdiabat), 0);

    // The new temperature range is read at the new bottom.
    const SkewTCoordinates before;
    EXPECT_NEAR(diagram.ranges().tmin,
                before.temperature(SkewTCoordinates::diagramX(0.3), SkewTCoordinates::diagramY(bottom)), 1e-9);

    // A rectangle without height changes nothing; unzoom restores the defaults.
    const SkewTRanges zoomed = diagram.ranges();
    surface.zoom = {0.2, 0.5, 0.6, 0.5};
    diagram.zoomToSelection();
    EXPECT_DOUBLE_EQ(diagram.ranges().pbot, zoomed.pbot);
    diagram.resetZoom();
    EXPECT_DOUBLE_EQ(diagram.ranges().pbot, 1050.0);
    EXPECT_DOUBLE_EQ(diagram.ranges().tmin, -40.0);
    EXPECT_GT(surface.count(PlotStyle::MoistAdiabat), 0);
}

TEST(MoistAdiabatTest, SolvedTemperatureMeetsTheTargetThetaE) {
    for (double t1000 : {-40.0, -10.0, 0.0, 20.0, 35.0}) {
        const double target = saturatedThetaE(t1000 + 273.16, 1000.0);
        const auto atStart = moistAdiabatTemperature(target, 1000.0);
        ASSERT_TRUE(atStart.has_value());
        EXPECT_NEAR(*atStart, t1000 + 273.16, 0.05);
        double previous = *atStart;
        for (double p : {850.0, 500.0, 300.0, 200.0}) {
            const auto t = moistAdiabatTemperature(target, p);
            ASSERT_TRUE(t.has_value()) << t1000 << " at " << p;
            EXPECT_LE(std::fabs(saturatedThetaE(*t, p) - target), 0.01);
            EXPECT_LT(*t, previous);  // colder upward
            previous = *t;
        }
    }
    // A target no temperature reaches ends the search instead of looping.
    EXPECT_FALSE(moistAdiabatTemperature(NAN, 500.0).has_value());
}

TEST(WindBarbTest, Composition) {
    struct Case {
        double speed;
        BarbCounts counts;
    };
    const Case cases[] = {
        {0.0, {0, 0, 0}},
        {3.0, {0, 0, 1}},   // 5.8 kt
        {10.0, {0, 1, 1}},  // 19.4 kt
        {60.0, {2, 1, 1}},  // 116.6 kt
        {10.0 * 1852.0 / 3600.0, {0, 0, 1}},  // exactly 10 kt: the comparisons are strict
    };
    for (const Case& c : cases) {
        EXPECT_EQ(barbCounts(c.speed), c.counts) << c.speed;
        const auto strokes = windBarbStrokes(0.95, 0.5, c.speed, 90.0, 1.0);
        EXPECT_EQ(strokes.size(), 1u + 3u * c.counts.pennants + c.counts.full + c.counts.half) << c.speed;
    }
}

TEST(WindBarbTest, StaffPointsWhereTheWindComesFromAndKeepsItsShape) {
    const auto north = windBarbStrokes(0.95, 0.5, 10.0, 0.0, 2.0).front();
    EXPECT_NEAR(north.x2, north.x1, 1e-5);
    EXPECT_NEAR(north.y2 - north.y1, 0.04 / 2.0, 1e-6);  // 0.4 strip widths, y divided by the aspect ratio
    const auto west = windBarbStrokes(0.95, 0.5, 10.0, 270.0, 2.0);
    EXPECT_NEAR(west.front().x2 - west.front().x1, -0.04, 1e-6);
    // The full barb of a west wind stands on the north side of the staff.
    EXPECT_GT(west[1].y2, west[1].y1);
}

TEST(WindBarbTest, BandThinning) {
    const std::vector<SkewTWind> winds = {
        {300.0, 5, 0}, {1000.0, 5, 0}, {50.0, 5, 0}, {900.0, 5, 0}, {150.0, 5, 0}, {1100.0, 5, 0}};
    const SkewTRanges r;
    EXPECT_TRUE(barbWinds(winds, r, 0).empty());
    const auto two = barbWinds(winds, r, 2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_DOUBLE_EQ(two[0].pressure, 1000.0);
    EXPECT_DOUBLE_EQ(two[1].pressure, 300.0);
    EXPECT_EQ(barbWinds(winds, r, 500).size(), 4u);  // out-of-range entries never show

    RecordingSurface surface;
    SkewTData data;
    data.winds = winds;
    SkewTDiagram none(surface, data, 0, "", "");
    none.draw();
    const int withoutBarbs = surface.count(PlotStyle::Isotherm);
    SkewTDiagram some(surface, data, 2, "", "");
    some.draw();
    EXPECT_EQ(surface.count(PlotStyle::Isotherm) - withoutBarbs, 2 * 2);  // staff and one half barb each
}

TEST(SkewTDataTest, TracesAndWindsFromTheQcSeries) {
    auto series = [](const char* name, std::vector<DataPoint> points) {
        DataSeries s(name);
        for (const DataPoint& p : points) s.append(p);
        return s;
    };
    const DataSeries pres = series("QCPres", {{0, 500, 0}, {1, 600, 0}, {2, 700, 0}});
    const DataSeries tdry = series("QCTdry", {{0, -20, 0}, {1, -10, 0}, {2, 0, 0}});
    const DataSeries rh = series("QCRH", {{1, 50, 0}});
    const DataSeries spd = series("QCWspd", {{2, 12, 0}});
    const DataSeries dir = series("QCWdir", {{2, 200, 0}});

    const SkewTData dry = skewTData(&pres, &tdry, nullptr, nullptr, nullptr);
    EXPECT_EQ(dry.temperature.size(), 3u);
    EXPECT_TRUE(dry.dewPoint.empty());
    EXPECT_TRUE(dry.winds.empty());

    const SkewTData full = skewTData(&pres, &tdry, &rh, &spd, &dir);
    ASSERT_EQ(full.dewPoint.size(), 1u);
    EXPECT_DOUBLE_EQ(full.dewPoint[0].pressure, 600.0);
    EXPECT_LT(full.dewPoint[0].temperature, -10.0);
    ASSERT_EQ(full.winds.size(), 1u);
    EXPECT_DOUBLE_EQ(full.winds[0].direction, 200.0);

    RecordingSurface surface;
    SkewTDiagram diagram(surface, dry, 20, "", "");
    diagram.draw();
    EXPECT_EQ(surface.temperature.size(), 3u);
    EXPECT_TRUE(surface.dewPoint.empty());
    const DiagramPoint first = diagram.coordinates().toDiagram(-20.0, 500.0);
    EXPECT_DOUBLE_EQ(surface.temperature[0].x1, SkewTCoordinates::plotX(first.x));
}

// A profile from top to bottom pressure with a cooling of 6.5 deg C per 100 mb
// upward and dew points 5 deg C below.
SkewTData profile(double top, double bottom, double surfaceTemperature) {
    SkewTData data;
    for (double p = top; p <= bottom; p += 5.0) {
        const double t = surfaceTemperature - 0.065 * (bottom - p);
        data.temperature.push_back({t, p});
        data.dewPoint.push_back({t - 5.0, p});
    }
    return data;
}

TEST(SkewTRangesTest, ThePressureRangeFollowsTheDataAndEveryPointFits) {
    struct Case {
        double top, bottom, surface;
        double ptop, pbot;
    };
    // A 700 mb hurricane drop, a 150 mb research drop, a drop ending at 955 mb.
    for (const Case c : {Case{700, 1008, 28, 650, 1050}, Case{150, 1013, 15, 100, 1050},
                         Case{700, 955, 24, 650, 1000}}) {
        const SkewTData data = profile(c.top, c.bottom, c.surface);
        const SkewTRanges r = dataRanges(data);
        EXPECT_DOUBLE_EQ(r.ptop, c.ptop) << c.top;
        EXPECT_DOUBLE_EQ(r.pbot, c.pbot) << c.top;
        const SkewTCoordinates coords(r);
        for (const auto* trace : {&data.temperature, &data.dewPoint})
            for (const SkewTPoint& p : *trace) {
                const DiagramPoint d = coords.toDiagram(p.temperature, p.pressure);
                EXPECT_GT(d.x, 0.03) << c.top << " " << p.pressure;
                EXPECT_LT(d.x, 0.97) << c.top << " " << p.pressure;
            }
    }
    // Without data, and for Full and UnZm of a drawn diagram.
    EXPECT_DOUBLE_EQ(dataRanges({}).ptop, 100.0);
    RecordingSurface surface;
    SkewTDiagram diagram(surface, profile(700, 1008, 28), 20, "", "");
    EXPECT_DOUBLE_EQ(diagram.ranges().ptop, 650.0);
    diagram.showFullRange();
    EXPECT_DOUBLE_EQ(diagram.ranges().ptop, 100.0);
    EXPECT_DOUBLE_EQ(diagram.ranges().tmin, -40.0);
    diagram.resetZoom();
    EXPECT_DOUBLE_EQ(diagram.ranges().ptop, 650.0);
}

TEST(WindBarbTest, BarbsAreSpacedSoTheyNeverOverlapNorLeaveThePlot) {
    SkewTData data = profile(150, 1013, 15);
    for (double p = 150; p <= 1013; p += 2.0) data.winds.push_back({p, 30.0, 270.0});
    for (double aspect : {0.3, 0.89, 2.0}) {
        RecordingSurface surface;
        surface.aspect = aspect;
        SkewTDiagram diagram(surface, data, 500, "", "");
        diagram.draw();
        // Each barb's staff starts at the strip's middle: the staffs' y are the barbs' places.
        std::vector<double> places;
        for (const auto& l : surface.lines) {
            if (l.style != PlotStyle::Isotherm || l.x1 < 0.9) continue;
            EXPECT_GE(std::min(l.y1, l.y2), 0.0);
            EXPECT_LE(std::max(l.y1, l.y2), 1.0);
            EXPECT_LE(std::max(l.x1, l.x2), 1.0);
            if (std::fabs(l.x1 - 0.95) < 1e-12) places.push_back(l.y1);
        }
        ASSERT_GT(places.size(), 3u) << aspect;
        std::sort(places.begin(), places.end());
        places.erase(std::unique(places.begin(), places.end()), places.end());
        for (std::size_t i = 1; i < places.size(); ++i)
            EXPECT_GE(places[i] - places[i - 1], 0.04 / aspect - 1e-9) << aspect;
    }
}

}  // namespace
}  // namespace velta
