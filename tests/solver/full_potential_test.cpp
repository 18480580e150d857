// The full-potential solver on its own: the incompressible limit against the exact flow of a
// Karman-Trefftz section, subcritical flow against the panel answer, published results for
// NACA 0012, the default case's shock on refined grids, and the caps.
#include "kalto_call.h"
#include "karman_trefftz.h"
#include "solver/compressibility.h"
#include "solver/contour_input.h"
#include "solver/full_potential.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numbers>

namespace zarnfoil::solver {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
// A debug or sanitizer build, where the solver runs tens of times slower.
#if defined(KALTO_TESTS_SLOW_BUILD)
constexpr bool kSlowBuild = true;
#else
constexpr bool kSlowBuild = false;
#endif

// NACA four-digit section at 161 points with its own (blunt) trailing edge, closed for the map.
std::vector<Vec2> Naca(double thickness, double camber = 0) {
    std::vector<float> x, y;
    test::NacaSection(camber, 0.4, thickness, 161, x, y);
    return CloseTrailingEdge(PrepareContour(x, y)->points);
}

// At an angle in degrees, or (liftGiven) at a lift coefficient.
FullPotentialAnswer Solve(const std::vector<Vec2>& contour, double mach, bool liftGiven,
                          double value, FullPotentialGrid grid = {},
                          FullPotentialLimits limits = {}) {
    const auto map = SectionMap::Fit(contour);
    EXPECT_TRUE(map.has_value());
    if (!map) return {};
    const FullPotentialCase flow{mach, liftGiven, liftGiven ? 0 : value * kDegree, value};
    return SolveFullPotential(*map, flow, grid, limits);
}

// Places x where Cp rises through the sonic value going from the leading edge to the trailing
// edge of one surface (the wall runs counter-clockwise from the trailing edge).
std::vector<double> ShocksOn(const FullPotentialAnswer& answer, bool upper, double mach) {
    const double sonic = SonicCp(mach);
    const auto& wall = answer.wall;
    const auto leadingEdge = static_cast<std::size_t>(
        std::min_element(wall.begin(), wall.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; }) -
        wall.begin());
    std::vector<double> shocks;
    for (std::size_t k = 0; upper ? k < leadingEdge : leadingEdge + k + 1 < wall.size(); ++k) {
        const std::size_t i = upper ? leadingEdge - k : leadingEdge + k;
        const std::size_t next = upper ? i - 1 : i + 1;
        const double a = answer.wallCp[i], b = answer.wallCp[next];
        if (a < sonic && b >= sonic)
            shocks.push_back(wall[i].x + (sonic - a) / (b - a) * (wall[next].x - wall[i].x));
    }
    return shocks;
}

TEST(FullPotentialLimits, IncompressibleFlowIsTheExactFlowOfAKarmanTrefftzSection) {
    const test::KarmanTrefftz section(0.1, 0.04, 10);
    const auto [x, y] = section.Contour(160);
    const FullPotentialAnswer answer =
        Solve(CloseTrailingEdge(PrepareContour(x, y)->points), 0.01, false, 4);
    ASSERT_TRUE(answer.converged);
    EXPECT_NEAR(answer.cl, section.Lift(4), 2e-4 * section.Lift(4));
    bool upper = true; // upper surface faces first
    for (std::size_t i = 1; i < answer.wall.size(); ++i) {
        if (answer.wall[i].x > answer.wall[i - 1].x) upper = false;
        if (answer.wall[i].x < 0.02 || answer.wall[i].x > 0.98) continue;
        EXPECT_NEAR(answer.wallCp[i], section.PressureAt(answer.wall[i].x, upper, 4), 0.01)
            << "x " << answer.wall[i].x;
    }
}

TEST(FullPotentialLimits, SubcriticalLiftIsCloseToTheKarmanTsienPanelAnswer) {
    // NACA 0012, M 0.5, 1.25 degrees: the panel method with the Karman-Tsien rule gives
    // 0.18209 (0.18195 closed as here), the full potential 0.1788 settled in grid and far
    // boundary: the rule, local in Cp, overstates the lift thickness adds under compressibility.
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.5, false, 1.25);
    ASSERT_TRUE(answer.converged);
    EXPECT_LT(answer.largestMach, 1);
    EXPECT_NEAR(answer.cl, 0.18209, 0.025 * 0.18209);
    EXPECT_LT(answer.cl, 0.18195);
    // Without shocks the wall pressure and the circulation give one lift (Kutta-Joukowski).
    EXPECT_NEAR(answer.cl, 2 * answer.circulation, 1e-4 * answer.cl);
}

// Volpe and Jameson (1988), conservative full potential, NACA 0012.
struct Published {
    double mach, alpha, cl;
};

class PublishedNaca0012 : public testing::TestWithParam<Published> {};

TEST_P(PublishedNaca0012, LiftAtOneDegreeWithinTwoPerCent) {
    const Published row = GetParam();
    const FullPotentialAnswer answer = Solve(Naca(0.12), row.mach, false, row.alpha);
    ASSERT_TRUE(answer.converged);
    EXPECT_GT(answer.largestMach, 1) << "a supersonic pocket";
    EXPECT_NEAR(answer.cl, row.cl, 0.02 * row.cl);
}

INSTANTIATE_TEST_SUITE_P(VolpeJameson, PublishedNaca0012,
                         testing::Values(Published{0.72, 1, 0.2038}, Published{0.73, 1, 0.2122},
                                         Published{0.75, 1, 0.2366}));

TEST(PublishedNaca0012Strong, LiftAtTwoDegreesSettlesAboveThePublishedValue) {
    // M 0.75, 2 degrees: a strong upper shock (M 1.38 ahead of it). The lift rises as the grid
    // is refined (0.568 to 0.600 from 96 to 384 nodes round) toward about 0.61, not to the
    // published 0.5130; far boundary, rings and dissipation do not move that limit.
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.75, false, 2);
    ASSERT_TRUE(answer.converged);
    EXPECT_EQ(ShocksOn(answer, true, 0.75).size(), 1u);
    EXPECT_GT(answer.cl, 0.5130);
}

TEST(FullPotentialTransonic, LiftCurveAtMach080TurnsBackBeforeOneDegree) {
    // Followed by the lift, the M 0.80 lift curve of NACA 0012 turns back: CL 0.8 needs a
    // smaller angle than CL 0.6, its upper shock near the trailing edge. So at 1.25 degrees the
    // isentropic potential has no solution with the upper shock ahead of the trailing edge.
    const std::vector<Vec2> section = Naca(0.12);
    const FullPotentialAnswer before = Solve(section, 0.8, true, 0.6);
    const FullPotentialAnswer after = Solve(section, 0.8, true, 0.8);
    ASSERT_TRUE(before.converged && after.converged);
    EXPECT_LT(after.alpha, before.alpha);
    EXPECT_LT(before.alpha / kDegree, 0.75);
    const auto upper = ShocksOn(after, true, 0.8);
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_GT(upper[0], 0.85);
}

TEST(DefaultCase, OneUpperShockThatSettlesAsTheGridIsRefined) {
    // NACA 0012 at M 0.70 and CL 0.5, on KALTO's own grid and two finer ones (in slow builds
    // one coarser and one finer); cells at the wall stay square: rings grow with the nodes.
    constexpr int kOwn = FullPotentialGrid{}.around;
    const int study[] = {kSlowBuild ? 96 : kOwn, kSlowBuild ? kOwn : 192, kSlowBuild ? 192 : 288};
    const std::vector<Vec2> section = Naca(0.12);
    std::vector<double> shockAt;
    for (const int around : study) {
        SCOPED_TRACE(testing::Message() << around << " nodes round");
        const FullPotentialGrid grid{around, 20 * around / 96 / 2 * 2 + 1, 100};
        const FullPotentialAnswer answer = Solve(section, 0.7, true, 0.5, grid);
        ASSERT_TRUE(answer.converged);
        EXPECT_NEAR(answer.cl, 0.5, 1e-4);
        EXPECT_GT(answer.alpha / kDegree, 2.0);
        EXPECT_LT(answer.alpha / kDegree, 3.0);
        EXPECT_GT(answer.largestMach, 1.2);
        const auto upper = ShocksOn(answer, true, 0.7);
        ASSERT_EQ(upper.size(), 1u);
        EXPECT_GT(upper[0], 0.2);
        EXPECT_LT(upper[0], 0.5);
        EXPECT_TRUE(ShocksOn(answer, false, 0.7).empty());
        // Subsonic from the shock to the trailing edge: no second supersonic pocket behind it.
        for (std::size_t i = 0; i < answer.wall.size(); ++i)
            EXPECT_TRUE(answer.wall[i].x < upper[0] + 0.05 || answer.wallCp[i] > SonicCp(0.7)) << i;
        shockAt.push_back(upper[0]);
    }
    EXPECT_NEAR(shockAt[2], shockAt[1], 0.02);
}

TEST(FullPotentialCaps, MachCapIterationCapAndDeadlineLeaveTheSolutionUnconverged) {
    // NACA 4418 at M 0.6 and 6 degrees settles only with the upper surface's speed held at the
    // iteration's cap: no flow.
    const FullPotentialAnswer held = Solve(Naca(0.18, 0.04), 0.6, false, 6);
    EXPECT_FALSE(held.converged);
    EXPECT_NEAR(held.largestMach, 1.8, 1e-6);

    FullPotentialLimits few, late;
    few.iterationCap = 10;
    late.deadline = std::chrono::steady_clock::now();
    const FullPotentialAnswer capped = Solve(Naca(0.12), 0.7, true, 0.5, {}, few);
    EXPECT_FALSE(capped.converged);
    EXPECT_LE(capped.history.size(), 10u);
    const FullPotentialAnswer timedOut = Solve(Naca(0.12), 0.7, true, 0.5, {}, late);
    EXPECT_FALSE(timedOut.converged);
    EXPECT_TRUE(timedOut.history.empty()) << "only the map and the grids are built";
    EXPECT_EQ(timedOut.wallCp.size(), timedOut.wall.size());
}

} // namespace
} // namespace zarnfoil::solver
