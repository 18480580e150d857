// Band smoothing: the result stays in its bands, pinned points keep their ordinates, and the
// early end of the iteration gives exactly the ordinates of the plain method.
#include "core/band_smooth.h"

#include "core/spline.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace zarnfoil {
namespace {

struct Contour {
    int n = 0;
    PointArray T, YP, DP, Y_SM;
    SplineEnds ends{0.0f, 0.0f, 0};
};

// A section-like contour over T in -1..1 (thickness ~ |T|, closed ends), optionally noisy,
// with every weight `d` except the pinned end points.
Contour Section(int n, float d, float noise, unsigned seed = 7) {
    Contour c;
    c.n = n;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> jitter(-noise, noise);
    for (int i = 1; i <= n; ++i) {
        const double t = -1.0 + 2.0 * (i - 1) / (n - 1);
        c.T(i) = static_cast<float>(t);
        const double x = t * t;
        const double y = 0.6 * (0.2969 * std::fabs(t) - 0.126 * x - 0.3516 * x * x) * (t < 0 ? -1 : 1);
        c.YP(i) = static_cast<float>(y) + (i == 1 || i == n ? 0.0f : jitter(rng));
        c.DP(i) = d;
    }
    c.DP(1) = 0.0f;
    c.DP(n) = 0.0f;
    return c;
}

int Smooth(Contour& c, SmoothingEnd end = SmoothingEnd::kAtRepeatOrLimit) {
    return BandSmooth(c.n, c.T, c.YP, c.DP, c.Y_SM, c.ends, end);
}

void ExpectWithinBands(const Contour& c) {
    for (int i = 1; i <= c.n; ++i) {
        EXPECT_LE(std::fabs(c.Y_SM(i) - c.YP(i)), c.DP(i) + 1e-6f) << "point " << i;
        if (c.DP(i) == 0.0f) {
            EXPECT_EQ(c.Y_SM(i), c.YP(i)) << "pinned point " << i;
        }
    }
}

TEST(BandSmooth, AllWeightsZeroKeepsTheContour) {
    Contour c = Section(41, 0.0f, 0.001f);
    EXPECT_EQ(Smooth(c), 1);
    for (int i = 1; i <= c.n; ++i) EXPECT_EQ(c.Y_SM(i), c.YP(i));
}

TEST(BandSmooth, TwoPinnedPointsOnly) {
    Contour c = Section(2, 0.0f, 0.0f);
    Smooth(c);
    EXPECT_EQ(c.Y_SM(1), c.YP(1));
    EXPECT_EQ(c.Y_SM(2), c.YP(2));
}

TEST(BandSmooth, FewerThanTwoKnotsLeavesTheContour) {
    Contour c = Section(9, 0.01f, 0.0f);
    c.DP(9) = 0.01f; // only point 1 is pinned
    EXPECT_EQ(Smooth(c), 0);
    for (int i = 1; i <= c.n; ++i) EXPECT_EQ(c.Y_SM(i), c.YP(i));
}

TEST(BandSmooth, WideBandsTakeTheSplineThroughThePinnedPoints) {
    // A parabola pinned at both ends and in the middle; the other points sit 0.01 off it
    // in bands of 0.5, so the knot spline is inside every band and no point lies on it.
    Contour c;
    c.n = 11;
    for (int i = 1; i <= c.n; ++i) {
        c.T(i) = -1.0f + 0.2f * static_cast<float>(i - 1);
        c.YP(i) = c.T(i) * c.T(i) + ((i % 2) ? 0.01f : -0.01f);
        c.DP(i) = 0.5f;
    }
    for (int i : {1, 6, 11}) {
        c.YP(i) = c.T(i) * c.T(i);
        c.DP(i) = 0.0f;
    }
    EXPECT_EQ(Smooth(c), 1);

    PointArray tk, yk, mk;
    int kn = 0;
    for (int i : {1, 6, 11}) {
        ++kn;
        tk(kn) = c.T(i);
        yk(kn) = c.YP(i);
    }
    SplineMoments(0, 0, 0.0, kn, tk, yk, mk, 0);
    for (int i = 1; i <= c.n; ++i) {
        float s, dy, d2y;
        SplineEval(kn, tk, yk, mk, c.T(i), s, dy, d2y);
        EXPECT_FLOAT_EQ(c.Y_SM(i), s) << i;
    }
}

TEST(BandSmooth, OutlierStopsAtItsBandEdge) {
    Contour c = Section(41, 0.002f, 0.0f);
    c.YP(15) += 0.05f; // far above the trend
    Smooth(c);
    ExpectWithinBands(c);
    EXPECT_NEAR(c.Y_SM(15), c.YP(15) - c.DP(15), 1e-6f);
}

TEST(BandSmooth, NoisyContourStaysInItsBands) {
    for (unsigned seed : {1u, 2u, 3u}) {
        Contour c = Section(201, 0.002f, 0.0015f, seed);
        c.DP(101) = 0.0f;
        c.DP(40) = 0.0f;
        Smooth(c);
        ExpectWithinBands(c);
    }
}

TEST(BandSmooth, SmoothingRemovesTheNoiseCurvature) {
    Contour c = Section(101, 0.002f, 0.001f);
    Smooth(c);
    // second differences of the smoothed contour are far smaller than those of the noise
    double rough = 0, smooth = 0;
    for (int i = 2; i < c.n; ++i) {
        rough += std::fabs(c.YP(i + 1) - 2 * c.YP(i) + c.YP(i - 1));
        smooth += std::fabs(c.Y_SM(i + 1) - 2 * c.Y_SM(i) + c.Y_SM(i - 1));
    }
    EXPECT_LT(smooth, 0.5 * rough);
}

TEST(BandSmooth, EarlyEndGivesThePlainMethodsOrdinates) {
    struct Case {
        int n;
        float d, noise;
        unsigned seed;
    };
    for (const Case k : {Case{61, 0.002f, 0.0f, 1}, Case{121, 0.002f, 0.001f, 2},
                         Case{401, 0.002f, 0.0004f, 3}, Case{81, 0.01f, 0.003f, 4},
                         Case{31, 0.0005f, 0.002f, 5}}) {
        Contour early = Section(k.n, k.d, k.noise, k.seed);
        Contour plain = early;
        const int earlyIterations = Smooth(early);
        const int plainIterations = Smooth(plain, SmoothingEnd::kAtLimitOnly);
        EXPECT_LE(earlyIterations, plainIterations);
        for (int i = 1; i <= k.n; ++i)
            ASSERT_EQ(early.Y_SM(i), plain.Y_SM(i)) << "n " << k.n << " point " << i;
    }
}

TEST(BandSmooth, SymmetricSectionEndsWithoutReachingTheLimit) {
    Contour c = Section(61, 0.002f, 0.0f);
    EXPECT_LT(Smooth(c), 10 * c.n);
    ExpectWithinBands(c);
}

} // namespace
} // namespace zarnfoil
