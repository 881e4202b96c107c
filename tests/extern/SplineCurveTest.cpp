#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"

namespace velta {
namespace {

constexpr double Pi = 3.14159265358979323846;

std::vector<double> evenly(double start, double step, std::size_t n) {
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = start + step * static_cast<double>(i);
    }
    return x;
}

TEST(SplineCurveTest, StraightLinePassesUnchangedAndContinuesStraightBeyondTheData) {
    const std::vector<double> x = evenly(-1.0, 0.25, 400);
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = 1013.0 - 0.7 * x[i];
    }
    const SplineBasis basis(x.data(), x.size(), 5.0, 2, 0);
    ASSERT_TRUE(basis.ok());
    EXPECT_LE(basis.nodeSpacing(), 2.5);
    const SplineCurve curve(basis, y.data());
    ASSERT_TRUE(curve.ok());
    for (double t : {-1.0, -0.3, 10.0, 33.37, 98.75, 120.0, -50.0}) {
        EXPECT_NEAR(curve.evaluate(t), 1013.0 - 0.7 * t, 1e-8) << t;
        EXPECT_NEAR(curve.slope(t), -0.7, 1e-9) << t;
    }
}

// Amplitude kept by the filter for a sinusoid of the given wavelength, measured away from the ends.
double passedAmplitude(double wavelength, double cutoff) {
    const double dt = cutoff / 20.0;
    const std::vector<double> x =
        evenly(0.0, dt, static_cast<std::size_t>(60.0 * std::max(wavelength, cutoff) / dt));
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = std::sin(2.0 * Pi * x[i] / wavelength + 0.3);
    }
    const SplineBasis basis(x.data(), x.size(), cutoff, 2, 0);
    const SplineCurve curve(basis, y.data());
    EXPECT_TRUE(curve.ok());
    // Project the smoothed curve on sin and cos over whole periods in the interior.
    const double from = 4.0 * std::max(wavelength, cutoff);
    const double periods = std::floor((x.back() - 2.0 * from) / wavelength);
    const int steps = static_cast<int>(periods * wavelength / dt);
    double s = 0.0;
    double c = 0.0;
    for (int i = 0; i < steps; ++i) {
        const double t = from + dt * i;
        const double v = curve.evaluate(t);
        s += v * std::sin(2.0 * Pi * t / wavelength + 0.3);
        c += v * std::cos(2.0 * Pi * t / wavelength + 0.3);
    }
    return 2.0 * std::hypot(s, c) / steps;
}

TEST(SplineCurveTest, WavelengthIsTheCutOff) {
    struct Case {
        double ratio;  // sinusoid wavelength / cut-off wavelength
        double low;
        double high;
    };
    const Case cases[] = {
        {4.0, 0.9, 1.0},        // kept
        {1.0, 0.4, 0.6},        // half at the cut-off
        {1.0 / 3.0, 0.0, 0.1},  // damped
    };
    for (const Case& c : cases) {
        for (double cutoff : {5.0, 100.0}) {
            const double amplitude = passedAmplitude(c.ratio * cutoff, cutoff);
            EXPECT_GE(amplitude, c.low) << "ratio " << c.ratio << " cut-off " << cutoff;
            EXPECT_LE(amplitude, c.high) << "ratio " << c.ratio << " cut-off " << cutoff;
        }
    }
}

TEST(SplineCurveTest, NoisyPressureFallIsSmoothedWithoutBiasAndKeepsItsRate) {
    // 900 s at 4 Hz from 700 to 1010 mb with a slow wave on top and 0.1 mb of noise.
    const std::vector<double> t = evenly(0.0, 0.25, 3601);
    const double rate = 310.0 / 900.0;
    auto truth = [&](double s) { return 700.0 + rate * s + 2.0 * std::sin(2.0 * Pi * s / 300.0); };
    std::mt19937 random(20050827);
    std::normal_distribution<double> noise(0.0, 0.1);
    std::vector<double> p(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        p[i] = truth(t[i]) + noise(random);
    }
    const SplineBasis basis(t.data(), t.size(), 5.0, 2, 0);
    const SplineCurve curve(basis, p.data());
    ASSERT_TRUE(curve.ok());

    double bias = 0.0;
    double squares = 0.0;
    double slopeError = 0.0;
    for (double s : t) {
        const double error = curve.evaluate(s) - truth(s);
        bias += error;
        squares += error * error;
        const double trueSlope = rate + 2.0 * 2.0 * Pi / 300.0 * std::cos(2.0 * Pi * s / 300.0);
        slopeError += curve.slope(s) - trueSlope;
    }
    const double n = static_cast<double>(t.size());
    EXPECT_LT(std::abs(bias / n), 0.005);
    EXPECT_LT(std::sqrt(squares / n), 0.05);  // noise at least halved
    EXPECT_LT(std::abs(slopeError / n), 0.002);
}

TEST(SplineCurveTest, OrderAndRepeatsOfTheAbscissaeDoNotMatter) {
    const std::vector<double> x = evenly(0.0, 0.5, 200);
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = std::sin(x[i] / 7.0) + 0.2 * std::cos(3.0 * x[i]);
    }
    const SplineBasis basis(x.data(), x.size(), 10.0, 2, 0);
    const SplineCurve reference(basis, y.data());
    ASSERT_TRUE(reference.ok());

    // Shuffled.
    std::vector<std::size_t> order(x.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    std::vector<double> xs;
    std::vector<double> ys;
    for (std::size_t i : order) {
        xs.push_back(x[i]);
        ys.push_back(y[i]);
    }
    const SplineBasis shuffledBasis(xs.data(), xs.size(), 10.0, 2, 0);
    const SplineCurve shuffled(shuffledBasis, ys.data());

    // Every time twice, with values 0.5 above and below: the same as the mean once.
    std::vector<double> xr;
    std::vector<double> yr;
    for (std::size_t i = 0; i < x.size(); ++i) {
        xr.insert(xr.end(), {x[i], x[i]});
        yr.insert(yr.end(), {y[i] + 0.5, y[i] - 0.5});
    }
    const SplineBasis repeatedBasis(xr.data(), xr.size(), 10.0, 2, 0);
    const SplineCurve repeated(repeatedBasis, yr.data());

    ASSERT_TRUE(shuffled.ok());
    ASSERT_TRUE(repeated.ok());
    for (double t = 0.0; t <= 99.5; t += 0.37) {
        EXPECT_NEAR(shuffled.evaluate(t), reference.evaluate(t), 1e-10) << t;
        EXPECT_NEAR(repeated.evaluate(t), reference.evaluate(t), 1e-10) << t;
        EXPECT_NEAR(repeated.slope(t), reference.slope(t), 1e-10) << t;
    }
}

TEST(SplineCurveTest, OneBasisServesSeveralCurves) {
    const std::vector<double> x = evenly(0.0, 1.0, 50);
    std::vector<double> u(x.size());
    std::vector<double> v(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        u[i] = std::cos(x[i] / 9.0);
        v[i] = 3.0 + x[i] * x[i] / 100.0;
    }
    const SplineBasis shared(x.data(), x.size(), 8.0, 2, 0);
    const SplineCurve su(shared, u.data());
    const SplineCurve sv(shared, v.data());
    const SplineBasis own(x.data(), x.size(), 8.0, 2, 0);
    const SplineCurve ov(own, v.data());
    ASSERT_TRUE(su.ok() && sv.ok() && ov.ok());
    for (double t : {0.0, 12.5, 49.0}) {
        EXPECT_DOUBLE_EQ(sv.evaluate(t), ov.evaluate(t));
        EXPECT_NEAR(su.evaluate(t), std::cos(t / 9.0), 0.05);
    }
}

TEST(SplineCurveTest, TwoPointsGiveTheLineThroughThem) {
    const double x[] = {10.0, 10.5};
    const double y[] = {850.0, 851.0};
    const SplineBasis basis(x, 2, 5.0, 2, 0);
    const SplineCurve curve(basis, y);
    ASSERT_TRUE(curve.ok());
    EXPECT_NEAR(curve.evaluate(10.5), 851.0, 1e-9);
    EXPECT_NEAR(curve.slope(10.2), 2.0, 1e-9);
}

TEST(SplineCurveTest, ReportsFailureInsteadOfMeaninglessValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::vector<double> x;
        std::vector<double> y;
        double wavelength;
        int boundary;
    };
    const std::vector<Case> cases = {
        {"no points", {}, {}, 5.0, 2},
        {"one point", {1.0}, {2.0}, 5.0, 2},
        {"one distinct time", {3.0, 3.0, 3.0}, {1.0, 2.0, 3.0}, 5.0, 2},
        {"NaN time", {0.0, nan, 2.0}, {1.0, 2.0, 3.0}, 5.0, 2},
        {"infinite time", {0.0, 1.0, inf}, {1.0, 2.0, 3.0}, 5.0, 2},
        {"NaN value", {0.0, 1.0, 2.0}, {1.0, nan, 3.0}, 5.0, 2},
        {"infinite value", {0.0, 1.0, 2.0}, {1.0, 2.0, -inf}, 5.0, 2},
        {"zero wavelength", {0.0, 1.0, 2.0}, {1.0, 2.0, 3.0}, 0.0, 2},
        {"negative wavelength", {0.0, 1.0, 2.0}, {1.0, 2.0, 3.0}, -5.0, 2},
        {"NaN wavelength", {0.0, 1.0, 2.0}, {1.0, 2.0, 3.0}, nan, 2},
        {"unknown boundary condition", {0.0, 1.0, 2.0}, {1.0, 2.0, 3.0}, 5.0, 7},
        {"wavelength absurdly short for the span", {0.0, 1.0e9}, {1.0, 2.0}, 1.0e-3, 2},
    };
    for (const Case& c : cases) {
        const SplineBasis basis(c.x.data(), c.x.size(), c.wavelength, c.boundary, 0);
        const SplineCurve curve(basis, c.y.data());
        EXPECT_FALSE(curve.ok()) << c.what;
        EXPECT_TRUE(std::isnan(curve.evaluate(1.0))) << c.what;
        EXPECT_EQ(curve.slope(1.0), 0.0) << c.what;
    }
}

}  // namespace
}  // namespace velta
