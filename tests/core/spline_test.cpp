// The cubic spline by its mathematical properties: it reproduces cubics, holds its end
// conditions, interpolates, and evaluates the interval the program expects.
#include "core/spline.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

struct Nodes {
    int n = 0;
    PointArray x, y, m;
};

// y = c0 + c1 x + c2 x^2 + c3 x^3 at uneven nodes
struct Cubic {
    double c0, c1, c2, c3;
    double operator()(double x) const { return c0 + x * (c1 + x * (c2 + x * c3)); }
    double Slope(double x) const { return c1 + x * (2 * c2 + 3 * c3 * x); }
    double Curvature(double x) const { return 2 * c2 + 6 * c3 * x; }
};

Nodes Sample(const Cubic& f, std::initializer_list<double> xs) {
    Nodes s;
    for (double x : xs) {
        ++s.n;
        s.x(s.n) = static_cast<float>(x);
        s.y(s.n) = static_cast<float>(f(x));
    }
    return s;
}

void Eval(const Nodes& s, float x, float& y, float& dy, float& d2y) {
    SplineEval(s.n, s.x, s.y, s.m, x, y, dy, d2y);
}

TEST(Spline, ReproducesACubicFromItsEndSlopes) {
    const Cubic f{0.1, -0.5, 0.8, -0.3};
    Nodes s = Sample(f, {-1.0, -0.7, -0.2, 0.0, 0.15, 0.6, 1.0});
    SplineMoments(static_cast<float>(f.Slope(-1)), static_cast<float>(f.Slope(1)), 0.0, s.n, s.x,
                  s.y, s.m, kFirstDerivativeEnds);
    for (double x : {-0.95, -0.5, 0.05, 0.4, 0.99}) {
        float y, dy, d2y;
        Eval(s, static_cast<float>(x), y, dy, d2y);
        EXPECT_NEAR(y, f(x), 2e-6) << x;
        EXPECT_NEAR(dy, f.Slope(x), 2e-5) << x;
        EXPECT_NEAR(d2y, f.Curvature(x), 2e-4) << x;
    }
}

TEST(Spline, ReproducesACubicFromItsEndCurvatures) {
    const Cubic f{-0.2, 0.3, 0.4, 0.9};
    Nodes s = Sample(f, {-1.0, -0.4, 0.1, 0.3, 1.0});
    SplineMoments(static_cast<float>(f.Curvature(-1)), static_cast<float>(f.Curvature(1)), 0.0,
                  s.n, s.x, s.y, s.m, 0);
    for (int i = 1; i <= s.n; ++i) EXPECT_NEAR(s.m(i), f.Curvature(s.x(i)), 1e-4) << i;
}

TEST(Spline, SecondDerivativeEndsAreTheEndMoments) {
    Nodes s = Sample(Cubic{0, 1, -2, 0.5}, {0.0, 0.3, 0.5, 1.0});
    SplineMoments(0.7f, -1.3f, 0.0, s.n, s.x, s.y, s.m, 0);
    EXPECT_FLOAT_EQ(s.m(1), 0.7f);
    EXPECT_FLOAT_EQ(s.m(s.n), -1.3f);
}

TEST(Spline, TwoNodes) {
    // second derivatives given: the moments are the end values
    Nodes s = Sample(Cubic{1, 2, 0, 0}, {0.0, 2.0});
    SplineMoments(0.5f, -0.5f, 0.0, 2, s.x, s.y, s.m, 0);
    EXPECT_FLOAT_EQ(s.m(1), 0.5f);
    EXPECT_FLOAT_EQ(s.m(2), -0.5f);
    // first derivatives given: the single cubic with those end slopes
    SplineMoments(1.0f, 3.0f, 0.0, 2, s.x, s.y, s.m, kFirstDerivativeEnds);
    float y, dy, d2y;
    Eval(s, 0.0f, y, dy, d2y);
    EXPECT_NEAR(dy, 1.0, 1e-6);
    Eval(s, 2.0f, y, dy, d2y);
    EXPECT_NEAR(dy, 3.0, 1e-6);
    EXPECT_NEAR(y, 5.0, 1e-6);
}

TEST(Spline, StraightLineWithItsSlopeHasNoMoments) {
    Nodes s = Sample(Cubic{0.5, -0.75, 0, 0}, {0.0, 0.1, 0.35, 0.5, 0.9, 1.0});
    SplineMoments(-0.75f, -0.75f, 0.0, s.n, s.x, s.y, s.m, kFirstDerivativeEnds);
    for (int i = 1; i <= s.n; ++i) EXPECT_NEAR(s.m(i), 0.0, 1e-5);
    float y, dy, d2y;
    Eval(s, 0.42f, y, dy, d2y);
    EXPECT_NEAR(dy, -0.75, 1e-5);
    EXPECT_NEAR(d2y, 0.0, 1e-5);
}

TEST(Spline, NaturalSplineInterpolatesItsNodes) {
    Nodes s = Sample(Cubic{0, 0, 1, 0}, {-1.0, -0.3, 0.2, 0.25, 0.8, 1.0});
    SplineMoments(0.0f, 0.0f, 0.0, s.n, s.x, s.y, s.m, 0);
    for (int k = 1; k <= s.n; ++k) {
        float y, dy, d2y;
        Eval(s, s.x(k), y, dy, d2y);
        EXPECT_NEAR(y, s.y(k), 1e-6) << k;
        EXPECT_NEAR(d2y, s.m(k), 1e-5) << k;
    }
}

TEST(Spline, NodeAbscissaUsesTheIntervalBelowIt) {
    // Moments chosen so that the two intervals meeting at node 2 give different slopes there
    // only if evaluated from the wrong side: y' at XN(2) from interval 1 is the right end
    // slope of the first cubic.
    Nodes s;
    s.n = 3;
    s.x(1) = 0, s.x(2) = 1, s.x(3) = 2;
    s.y(1) = 0, s.y(2) = 0, s.y(3) = 0;
    s.m(1) = 0, s.m(2) = 6, s.m(3) = -6;
    float y, dy, d2y;
    Eval(s, 1.0f, y, dy, d2y);
    // interval 1: y' at its right end = (M2*h^2)/(2h) - h*(M2-M1)/6 = 3 - 1 = 2
    EXPECT_FLOAT_EQ(dy, 2.0f);
}

TEST(Spline, ExtrapolatesTheEndCubics) {
    const Cubic f{0.2, 0.1, -0.4, 0.3};
    Nodes s = Sample(f, {0.0, 0.5, 1.0, 1.5});
    SplineMoments(static_cast<float>(f.Slope(0)), static_cast<float>(f.Slope(1.5)), 0.0, s.n,
                  s.x, s.y, s.m, kFirstDerivativeEnds);
    float y, dy, d2y;
    Eval(s, -0.5f, y, dy, d2y);
    EXPECT_NEAR(y, f(-0.5), 1e-5);
    Eval(s, 2.0f, y, dy, d2y);
    EXPECT_NEAR(y, f(2.0), 1e-5);
}

TEST(Spline, UniformStepReplacesTheIntervals) {
    Nodes even = Sample(Cubic{0, 0, 1, 0}, {0.0, 1.0, 2.0, 3.0});
    Nodes stepped = even;
    stepped.x(4) = 99.0f; // ignored: every interval is the step
    SplineMoments(0, 0, 0.0, even.n, even.x, even.y, even.m, 0);
    SplineMoments(0, 0, 1.0, stepped.n, stepped.x, stepped.y, stepped.m, 0);
    for (int i = 1; i <= 4; ++i) EXPECT_FLOAT_EQ(even.m(i), stepped.m(i));
}

} // namespace
} // namespace zarnfoil
