// The smoothed contour resampled along t: where its parameters lie, that its points lie on the
// run's own spline of Y_SM (not of YP), and what it keeps of the run's points.
#include "core/contour_resample.h"

#include "core/smoothing_run.h"
#include "core/spline.h"

#include "../support/naca_section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zarnfoil {
namespace {

// A NACA 2412 of 401 points with digitising noise of up to 3e-4 chords, smoothed with a strip
// of 0.002 and the given end conditions, as Smooth leaves it; `splines` holds the run's own.
struct NoisySection {
    FoilState s{};
    RunSplines splines;
    explicit NoisySection(std::int16_t ibc) {
        testing::FillSection(s, testing::Naca{0.02, 0.4, 0.12, 201, false});
        std::mt19937 noise(2412); // the raw engine's sequence is the same everywhere
        for (int i = 2; i < s.NP; ++i)
            s.Y(i) +=
                static_cast<float>((static_cast<double>(noise()) / 4294967295.0 - 0.5) * 6e-4);
        s.IBC = ibc;
        RunParams p;
        p.DSMOOTH = 0.002f;
        EXPECT_FALSE(SmoothContour(s, p, splines));
    }
};

TEST(ContourResample, ParametersKeepBothEndsAndTheLeadingEdgeAndClusterThere) {
    for (int n : {3, 4, 5, 129, 200, 201, 801}) {
        const std::vector<double> t = ResampleParameters(n);
        ASSERT_EQ(static_cast<int>(t.size()), n);
        const int le = (n - 1) / 2; // 0-based
        EXPECT_TRUE(t.front() == -1.0 && t[static_cast<std::size_t>(le)] == 0.0 && t.back() == 1.0)
            << n;
        for (std::size_t j = 1; j < t.size(); ++j)
            EXPECT_GT(t[j], t[j - 1]) << n << " " << j;
        if (n < 9) continue;
        // On each side the steps at its ends are the shortest, a quarter of the middle one's
        // uniform share or less.
        const auto step = [&t](int j) {
            return t[static_cast<std::size_t>(j)] - t[static_cast<std::size_t>(j - 1)];
        };
        for (const auto& [first, last] : {std::pair{1, le}, std::pair{le + 1, n - 1}}) {
            const double middle = step((first + last) / 2);
            EXPECT_LT(step(first), middle / 4) << n;
            EXPECT_LT(step(last), middle / 4) << n;
        }
    }
    EXPECT_TRUE(ResampleParameters(2).empty());
}

TEST(ContourResample, PointsLieOnTheRunsSplineOfTheSmoothedOrdinates) {
    for (std::int16_t ibc : {std::int16_t(0), std::int16_t(1)}) {
        const NoisySection noisy(ibc);
        const FoilState& s = noisy.s;
        double moved = 0; // the smoothing did move the section
        for (int i = 1; i <= s.NP; ++i)
            moved = std::max(moved, static_cast<double>(std::fabs(s.Y_SM(i) - s.YP(i))));
        ASSERT_GT(moved, 1e-4);

        const ResampledContour c = ResampleContour(s, 201);
        ASSERT_EQ(c.x.size(), 201u);
        ASSERT_EQ(c.leadingEdge, 101);
        const std::pair<int, int> kept[] = {{1, 1}, {101, s.ILE}, {201, s.NP}};
        for (const auto& [k, i] : kept) {
            EXPECT_EQ(c.x[k - 1], s.XP(i)) << ibc << " " << k;
            EXPECT_EQ(c.y[k - 1], s.Y_SM(i)) << ibc << " " << k;
        }
        for (int k = 2; k <= 200; ++k) {
            if (k == 101) continue;
            const float t = c.t[k - 1];
            float y = 0, dy = 0, d2y = 0;
            SplineEval(s.NP, s.T, s.Y_SM, noisy.splines.M_SM, t, y, dy, d2y);
            EXPECT_EQ(c.y[k - 1], y) << ibc << " " << k;
            EXPECT_FLOAT_EQ(c.x[k - 1], t * t) << k;
        }
        // Lower side below the chord line near the leading edge, upper side above it.
        EXPECT_LT(c.y[95], 0.0f);
        EXPECT_GT(c.y[105], 0.0f);
    }
}

TEST(ContourResample, ASmoothNacaSectionResampledStaysOnItsShape) {
    // The published NACA 0012 at 401 points without smoothing, resampled to 129 points: each
    // point within 2e-5 chords of the formula at its x.
    FoilState s{};
    const testing::Naca naca{0.0, 0.4, 0.12, 201, true};
    testing::FillSection(s, naca, 0.0f, false);
    RunParams p;
    RunSplines splines;
    ASSERT_FALSE(SmoothContour(s, p, splines));
    const ResampledContour c = ResampleContour(s, 129);
    ASSERT_EQ(c.y.size(), 129u);
    for (std::size_t k = 0; k < c.y.size(); ++k) {
        const double side = c.t[k] < 0 ? -1 : 1;
        EXPECT_NEAR(c.y[k], side * testing::NacaThickness(naca, c.x[k]), 2e-5) << k;
    }
}

TEST(ContourResample, NothingWithoutASmoothedSectionOrForFewerThanThreePoints) {
    const FoilState empty{};
    EXPECT_TRUE(ResampleContour(empty, 201).x.empty());
    const NoisySection noisy(0);
    EXPECT_TRUE(ResampleContour(noisy.s, 2).x.empty());
    EXPECT_EQ(ResampleContour(noisy.s, 3).x.size(), 3u);
}

} // namespace
} // namespace zarnfoil
