// Band smoothing: the result stays in its bands, pinned points keep their ordinates, knots
// that no longer press against their band edge are released, and ending the iteration early
// gives exactly the ordinates of the plain method.
#include "core/band_smooth.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace zarnfoil {
namespace {

struct Contour {
    int n = 0;
    PointArray T, YP, DP, Y_SM;
    SmoothingOutcome Smooth(SmoothingEnd end = SmoothingEnd::kAtRepeatOrLimit) {
        return BandSmooth(n, T, YP, DP, Y_SM, SplineEnds{0.0f, 0.0f, 0}, end);
    }
    void ExpectWithinBands() const {
        for (int i = 1; i <= n; ++i) // a pinned point keeps its ordinate exactly
            EXPECT_LE(std::fabs(Y_SM(i) - YP(i)), DP(i) == 0.0f ? 0.0f : DP(i) + 1e-6f) << i;
    }
};

// A section-like contour over T in -1..1 (thickness ~ |T|, closed ends), optionally noisy,
// with every weight `d` except the pinned end points.
Contour Section(int n, float d, float noise, unsigned seed = 7) {
    Contour c;
    c.n = n;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> jitter(-noise, noise);
    for (int i = 1; i <= n; ++i) {
        const double t = -1.0 + 2.0 * (i - 1) / (n - 1), x = t * t;
        const double y = 0.6 * (0.2969 * std::fabs(t) - 0.126 * x - 0.3516 * x * x);
        c.T(i) = static_cast<float>(t);
        c.YP(i) = static_cast<float>(t < 0 ? -y : y) + (i == 1 || i == n ? 0.0f : jitter(rng));
        c.DP(i) = d;
    }
    c.DP(1) = c.DP(n) = 0.0f;
    return c;
}

// Evenly spaced T from -1 to 1 with the given ordinates and weights.
Contour Even(std::initializer_list<float> yp, std::initializer_list<float> dp) {
    Contour c;
    c.n = static_cast<int>(yp.size());
    for (int i = 1; i <= c.n; ++i) {
        c.T(i) = -1.0f + 2.0f * static_cast<float>(i - 1) / static_cast<float>(c.n - 1);
        c.YP(i) = yp.begin()[i - 1];
        c.DP(i) = dp.begin()[i - 1];
    }
    return c;
}

TEST(BandSmooth, NothingToMoveKeepsTheContour) {
    Contour allPinned = Section(41, 0.0f, 0.001f), twoPoints = Section(2, 0.0f, 0.0f);
    Contour oneKnot = Section(9, 0.01f, 0.0f);
    oneKnot.DP(9) = 0.01f; // fewer than two knots: no spline to smooth towards
    for (Contour* c : {&allPinned, &twoPoints, &oneKnot}) {
        EXPECT_EQ(c->Smooth().iterations, c == &oneKnot ? 0 : 1);
        EXPECT_EQ(c->Y_SM, c->YP);
    }
}

TEST(BandSmooth, WideBandsTakeTheSplineThroughThePinnedPoints) {
    // Near Y = T^2, pinned at T = -1, 0, 1: the natural spline through those three, with the
    // moment 3 at T = 0, is y = (1 - a)^3 / 2 - (1 - a) / 2 + a for a = |T|. It is inside every
    // band of 0.5 and passes no free point, so one full step ends the smoothing.
    Contour c = Even({1, 0.65f, 0.35f, 0.17f, 0.03f, 0, 0.05f, 0.15f, 0.37f, 0.63f, 1},
                     {0, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0.5f, 0.5f, 0.5f, 0.5f, 0});
    EXPECT_EQ(c.Smooth().iterations, 1);
    for (int i = 1; i <= c.n; ++i) {
        const double a = std::fabs(c.T(i)), y = (1 - a) * (1 - a) * (1 - a) / 2 - (1 - a) / 2 + a;
        EXPECT_NEAR(c.Y_SM(i), y, 1e-6) << i;
    }
}

TEST(BandSmooth, OutlierStopsAtItsBandEdge) {
    Contour c = Section(41, 0.002f, 0.0f);
    c.YP(15) += 0.05f; // far above the trend
    c.Smooth();
    c.ExpectWithinBands();
    EXPECT_NEAR(c.Y_SM(15), c.YP(15) - c.DP(15), 1e-6f);
}

TEST(BandSmooth, ReleasedKnotEndsInsideItsBand) {
    // Pulled towards the line Y = 0 through the ends, points 2 and 4 reach their lower band
    // edge 0.25 together. Through the ends and both, the spline bends down at point 4 less
    // than between its neighbour knots: point 4 is released, and the result is the natural
    // spline through (-1, 0), (-0.6, 0.25) and (1, 0), which passes point 4 at 5/16.
    Contour c = Even({0, 0.5f, 0.25f, 0.5f, -0.25f, 0}, {0, 0.25f, 0.5f, 0.25f, 0.5f, 0});
    c.Smooth();
    const float expected[] = {0, 0.25f, 45 / 128.0f, 5 / 16.0f, 23 / 128.0f, 0};
    for (int i = 1; i <= c.n; ++i) EXPECT_NEAR(c.Y_SM(i), expected[i - 1], 1e-6) << i;
}

TEST(BandSmooth, EarlyEndGivesThePlainMethodsOrdinates) {
    const struct { int n; float d, noise; } cases[] = {
        {61, 0.002f, 0.0f}, {121, 0.002f, 0.001f}, {401, 0.002f, 0.0004f},
        {81, 0.01f, 0.003f}, {201, 0.002f, 0.0015f}, {31, 0.0005f, 0.002f}};
    for (const auto& k : cases) {
        Contour early = Section(k.n, k.d, k.noise, static_cast<unsigned>(k.n));
        early.DP(k.n / 3) = 0.0f;
        Contour plain = early;
        const int iterations = early.Smooth().iterations;
        EXPECT_LE(iterations, plain.Smooth(SmoothingEnd::kAtLimitOnly).iterations);
        EXPECT_EQ(early.Y_SM, plain.Y_SM) << "n " << k.n;
        early.ExpectWithinBands();
        EXPECT_TRUE(k.noise != 0.0f || iterations < 10 * k.n) << "a clean section ends by itself";
    }
}

} // namespace
} // namespace zarnfoil
