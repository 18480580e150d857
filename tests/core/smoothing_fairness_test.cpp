// The smoothing on noisy sections as an engineer meets them: it comes out fair and inside its
// bands whether the band iteration converges or stalls, converging runs keep their ordinates
// bit for bit, and the least-energy solution that finishes a stall is the smoothing's optimum.
#include "core/band_smooth.h"
#include "core/least_bending.h"
#include "core/smoothing_run.h"

#include "../support/naca_section.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::AddNoise;
using testing::FillSection;
using testing::Naca;

struct NoisyCase {
    int points;
    double camber, noise;
    int seed;
    float strip;
    std::int16_t IBC;
};

// The section of a case taken through a smoothing run.
struct Smoothed {
    FoilState s{};
    RunSplines splines;
    explicit Smoothed(const NoisyCase& c, SmoothingEnd end = SmoothingEnd::kAtRepeatOrLimit) {
        Naca n;
        n.camber = c.camber;
        n.stationsPerSurface = (c.points + 1) / 2;
        FillSection(s, n);
        if (c.noise > 0) AddNoise(s, c.noise, static_cast<std::uint64_t>(c.seed));
        s.IBC = c.IBC;
        RunParams p;
        p.DSMOOTH = c.strip;
        EXPECT_FALSE(SmoothContour(s, p, splines));
        if (end == SmoothingEnd::kAtLimitOnly) // the plain method on the run's own contour
            splines.smoothing =
                BandSmooth(s.NP, s.T, s.YP, s.DP, s.Y_SM, {s.BC1, s.BC2, s.IBC}, end);
    }
    // Sign changes of the second divided difference of Y_SM over T: a clean NACA section has
    // 0 to 4; an unsmoothed noisy one, one at almost every point.
    int Reversals() const {
        int changes = 0, last = 0;
        for (int i = 2; i <= s.NP - 1; ++i) {
            const double d2 = (s.Y_SM(i + 1) - s.Y_SM(i)) / (s.T(i + 1) - s.T(i)) -
                              (s.Y_SM(i) - s.Y_SM(i - 1)) / (s.T(i) - s.T(i - 1));
            const int sign = (d2 > 0) - (d2 < 0);
            if (sign != 0 && last != 0 && sign != last) ++changes;
            if (sign != 0) last = sign;
        }
        return changes;
    }
    void ExpectInsideBands() const {
        for (int i = 1; i <= s.NP; ++i)
            EXPECT_LE(std::fabs(s.Y_SM(i) - s.YP(i)), s.DP(i) + 1e-7f) << "point " << i;
    }
    std::uint64_t OrdinatesHash() const { // FNV-1a over the bits of Y_SM
        std::uint64_t h = 1469598103934665603ull;
        for (int i = 1; i <= s.NP; ++i) {
            std::uint32_t bits;
            std::memcpy(&bits, &s.Y_SM(i), sizeof bits);
            h = (h ^ bits) * 1099511628211ull;
        }
        return h;
    }
};

TEST(SmoothingFairness, ConvergingRunsKeepTheirOrdinatesBitForBit) {
    // Hashes of Y_SM from the band iteration as it stood before stalls were resolved and its
    // loops were sped up: clean and noisy sections, both end conditions, 51 to 401 points.
    const struct {
        NoisyCase c;
        std::uint64_t hash;
    } cases[] = {
        {{121, 0, 0, 0, 0.002f, 0}, 0x2912058c4b59fe28ull},
        {{121, 0, 0, 0, 0.002f, 1}, 0x3bac62b712a9d77cull},
        {{201, 0.02, 0, 0, 0.001f, 0}, 0x5d272f533f9c8ba8ull},
        {{401, 0.02, 2e-4, 1, 0.002f, 1}, 0x4cad22c1cfb84920ull},
        {{401, 0.02, 2e-4, 2, 0.001f, 0}, 0x81a95a7080717982ull},
        {{301, 0.04, 1e-4, 3, 0.001f, 0}, 0xcc34249c8ac55007ull},
        {{101, 0.02, 4e-4, 4, 0.004f, 0}, 0xd8b10799f971242full},
        {{51, 0, 2e-4, 5, 0.002f, 1}, 0x70f0dd815c4e6337ull},
        {{401, 0, 4e-4, 6, 0.002f, 0}, 0x81c984ffcba58c8bull},
        {{201, 0.02, 2e-4, 7, 0.004f, 1}, 0x39d2a01e181f3df2ull},
        {{161, 0.04, 2e-4, 8, 0.0006f, 0}, 0xc82f4d3833d1656full},
        {{401, 0.02, 2e-4, 5, 0.004f, 0}, 0x6a41846340127ab9ull},
    };
    for (const auto& k : cases) {
        const Smoothed run(k.c);
        EXPECT_EQ(run.splines.smoothing.ending, SmoothingEnding::kConverged) << k.c.points;
        EXPECT_EQ(run.OrdinatesHash(), k.hash) << k.c.points << " points, seed " << k.c.seed;
        // the loops four points at a time give the same ordinates as eight at a time
        PointArray four;
        BandSmooth(run.s.NP, run.s.T, run.s.YP, run.s.DP, four, {run.s.BC1, run.s.BC2, run.s.IBC},
                   SmoothingEnd::kAtRepeatOrLimit, SmoothingLanes::kFour);
        EXPECT_EQ(four, run.s.Y_SM) << k.c.points << " points, seed " << k.c.seed;
    }
}

TEST(SmoothingFairness, StalledIterationIsFinishedFairInsideTheBands) {
    // Noise 2e-4, strip 20 times that, "2-nd der." ends: the iteration pins a point that the
    // spline without it pushes straight back out, releases it, and repeats; the plain method
    // runs to its limit and leaves the noise in.
    for (const NoisyCase c :
         {NoisyCase{401, 0.02, 2e-4, 4, 0.004f, 0}, NoisyCase{301, 0.04, 1e-4, 3, 0.001f, 1}}) {
        const Smoothed plain(c, SmoothingEnd::kAtLimitOnly), run(c);
        EXPECT_EQ(plain.splines.smoothing.iterations, 10 * c.points);
        EXPECT_EQ(run.splines.smoothing.ending, SmoothingEnding::kStallResolved);
        EXPECT_TRUE(run.splines.smoothing.finished);
        EXPECT_LT(run.splines.smoothing.iterations, plain.splines.smoothing.iterations);
        run.ExpectInsideBands();
        EXPECT_LE(run.Reversals(), 6) << c.points;
    }
    EXPECT_GT(Smoothed({401, 0.02, 2e-4, 4, 0.004f, 0}, SmoothingEnd::kAtLimitOnly).Reversals(),
              100);
}

TEST(SmoothingFairness, NoisySectionsComeOutFair) {
    // Noise of amplitude sigma on every ordinate, strips of 3 to 20 sigma, both end conditions:
    // at most a handful of reversals, every point inside its band.
    const double sigma = 2e-4;
    int runs = 0, stalls = 0;
    for (int points : {51, 101, 201, 301, 401})
        for (double strips : {3.0, 5.0, 10.0, 20.0})
            for (std::int16_t ibc : {std::int16_t{0}, std::int16_t{1}})
                for (int seed = 1; seed <= 3; ++seed) {
                    const Smoothed run({points, 0.02, sigma, seed * 100 + points,
                                        static_cast<float>(strips * sigma), ibc});
                    run.ExpectInsideBands();
                    EXPECT_LE(run.Reversals(), 8) << points << " points, strip " << strips
                                                  << " sigma, IBC " << ibc << ", seed " << seed;
                    EXPECT_TRUE(run.splines.smoothing.finished);
                    ++runs;
                    stalls += run.splines.smoothing.ending != SmoothingEnding::kConverged;
                }
    EXPECT_EQ(runs, 120);
    EXPECT_GT(stalls, 0) << "the sample no longer holds a stall";
}

// Six points evenly over T, pulled towards the line Y = 0 through the ends, with the given
// weights, and their least-energy contour with natural ends.
struct SixPoints {
    PointArray T, YP, DP, Y;
    bool solved = false;
    explicit SixPoints(std::initializer_list<float> weights) {
        const float yp[] = {0, 0.5f, 0.25f, 0.5f, -0.25f, 0};
        for (int i = 1; i <= 6; ++i) {
            T(i) = -1.0f + 0.4f * static_cast<float>(i - 1);
            YP(i) = yp[i - 1];
            DP(i) = weights.begin()[i - 1];
        }
        solved = LeastBendingContour(6, T, YP, DP, SplineEnds{0, 0, 0}, Y).solved;
    }
};

TEST(LeastBending, IsTheNaturalSplineTheIterationConvergesTo) {
    // Pulled towards the line Y = 0 through the ends, points 2 and 4 reach their lower band
    // edge; of the two only point 2 holds the contour: the least-energy contour is the natural
    // spline through (-1, 0), (-0.6, 0.25) and (1, 0), as the iteration finds.
    const SixPoints c({0, 0.25f, 0.5f, 0.25f, 0.5f, 0});
    ASSERT_TRUE(c.solved);
    const PointArray& Y = c.Y;
    const float expected[] = {0, 0.25f, 45 / 128.0f, 5 / 16.0f, 23 / 128.0f, 0};
    for (int i = 1; i <= 6; ++i)
        EXPECT_NEAR(Y(i), expected[i - 1], 1e-6) << i;
}

TEST(LeastBending, MatchesConvergedIterationsOnNoisySections) {
    // Where the band iteration converges, it has found the least-energy contour too.
    for (const NoisyCase c :
         {NoisyCase{401, 0.02, 2e-4, 1, 0.002f, 1}, NoisyCase{301, 0.04, 1e-4, 3, 0.001f, 0},
          NoisyCase{161, 0.04, 2e-4, 8, 0.0006f, 0}}) {
        const Smoothed run(c);
        ASSERT_EQ(run.splines.smoothing.ending, SmoothingEnding::kConverged);
        PointArray Y;
        ASSERT_TRUE(LeastBendingContour(run.s.NP, run.s.T, run.s.YP, run.s.DP,
                                        {run.s.BC1, run.s.BC2, run.s.IBC}, Y)
                        .solved);
        for (int i = 1; i <= run.s.NP; ++i)
            EXPECT_NEAR(Y(i), run.s.Y_SM(i), 2e-6) << i;
    }
}

TEST(LeastBending, NegativeWeightPinsItsPoint) {
    // A weight below 0 pins its point, as a weight of 0 does; its band is no band at all.
    const SixPoints c({0, 0.25f, -0.5f, 0.25f, 0.5f, 0});
    ASSERT_TRUE(c.solved);
    EXPECT_EQ(c.Y(3), c.YP(3));
    for (int i : {2, 4, 5})
        EXPECT_LE(std::fabs(c.Y(i) - c.YP(i)), c.DP(i) + 1e-7f) << i;
}

TEST(LeastBending, NeedsBothEndsPinned) {
    PointArray T, YP, DP, Y;
    for (int i = 1; i <= 5; ++i)
        T(i) = -1.0f + 0.5f * static_cast<float>(i - 1), DP(i) = 0.1f;
    DP(1) = 0;
    EXPECT_FALSE(LeastBendingContour(5, T, YP, DP, {}, Y).solved);
}

} // namespace
} // namespace zarnfoil
