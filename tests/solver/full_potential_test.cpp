// The full-potential solver on its own: the incompressible limit against the exact flow of a
// Karman-Trefftz section, the Prandtl-Glauert limit of a thin section, symmetry of a transonic
// flow, published results for NACA 0012, the default case with its shock and a grid-refinement
// study of it, the lift search, and the caps. Solutions shared within a suite are solved once.
#include "kalto_call.h"
#include "karman_trefftz.h"
#include "naca_section.h"
#include "solver/compressibility.h"
#include "solver/contour_input.h"
#include "solver/full_potential.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <numbers>

namespace zarnfoil::solver {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double kDegree = pi / 180;

std::vector<Vec2> Closed(const std::vector<float>& x, const std::vector<float>& y) {
    return CloseTrailingEdge(PrepareContour(x, y)->points);
}

// NACA four-digit section at 161 points with its own (blunt) trailing edge, closed for the map.
std::vector<Vec2> Naca(double thickness, double camber = 0) {
    std::vector<float> x, y;
    test::NacaSection(camber, 0.4, thickness, 161, x, y);
    return Closed(x, y);
}

FullPotentialAnswer Solve(const std::vector<Vec2>& contour, double mach, bool liftGiven,
                          double value, FullPotentialGrid grid = {},
                          FullPotentialLimits limits = {}) {
    const auto map = SectionMap::Fit(contour);
    EXPECT_TRUE(map.has_value());
    if (!map) return {};
    FullPotentialCase flow;
    flow.mach = mach;
    flow.liftGiven = liftGiven;
    flow.alpha = liftGiven ? 0 : value * kDegree;
    flow.clTarget = value;
    return SolveFullPotential(*map, flow, grid, limits);
}

// Places x where Cp rises through the sonic value on the way from the leading edge to the
// trailing edge of one surface of the wall (faces counter-clockwise from the trailing edge).
std::vector<double> ShocksOn(const FullPotentialAnswer& answer, bool upper, double mach) {
    const double sonic = SonicCp(mach);
    const std::size_t n = answer.wall.size();
    std::size_t leadingEdge = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (answer.wall[i].x < answer.wall[leadingEdge].x) leadingEdge = i;
    std::vector<std::size_t> walk; // leading edge to trailing edge
    if (upper)
        for (std::size_t i = leadingEdge + 1; i-- > 0;)
            walk.push_back(i);
    else
        for (std::size_t i = leadingEdge; i < n; ++i)
            walk.push_back(i);
    std::vector<double> shocks;
    for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
        const double a = answer.wallCp[walk[k]], b = answer.wallCp[walk[k + 1]];
        if (a < sonic && b >= sonic) {
            const double share = (sonic - a) / (b - a);
            shocks.push_back(answer.wall[walk[k]].x +
                             share * (answer.wall[walk[k + 1]].x - answer.wall[walk[k]].x));
        }
    }
    return shocks;
}

TEST(FullPotentialLimits, IncompressibleFlowIsTheExactFlowOfAKarmanTrefftzSection) {
    const test::KarmanTrefftz section(0.1, 0.04, 10);
    std::vector<float> x, y;
    section.Contour(160, x, y);
    const FullPotentialAnswer answer = Solve(Closed(x, y), 0.01, false, 4);
    ASSERT_TRUE(answer.converged);
    // Within 0.02 %: a Kutta condition on a difference of the whole potential across the
    // trailing-edge node leaves the circulation short by sin(dTheta) / dTheta, 0.026 % here.
    EXPECT_NEAR(answer.cl, section.Lift(4), 2e-4 * section.Lift(4));
    // Upper surface faces first (counter-clockwise from the trailing edge).
    bool upper = true;
    for (std::size_t i = 1; i < answer.wall.size(); ++i) {
        if (answer.wall[i].x > answer.wall[i - 1].x) upper = false;
        if (answer.wall[i].x < 0.02 || answer.wall[i].x > 0.98) continue;
        // M 0.01: the exact Cp of incompressible flow within a few ten-thousandths.
        EXPECT_NEAR(answer.wallCp[i], section.PressureAt(answer.wall[i].x, upper, 4), 0.01)
            << "x " << answer.wall[i].x;
    }
}

TEST(FullPotentialLimits, ThinSectionFollowsPrandtlGlauert) {
    const std::vector<Vec2> thin = Naca(0.03);
    const double incompressible = Solve(thin, 0.01, false, 1).cl;
    for (double mach : {0.3, 0.5}) {
        const FullPotentialAnswer answer = Solve(thin, mach, false, 1);
        ASSERT_TRUE(answer.converged);
        // Thin-section theory: 1/beta; a 3 % section carries about half a per cent more.
        const double ratio = answer.cl / incompressible / (1 / std::sqrt(1 - mach * mach));
        EXPECT_GT(ratio, 1.0) << mach;
        EXPECT_LT(ratio, 1.015) << mach;
    }
}

TEST(FullPotentialLimits, IncompressibleLiftIsThePanelMethodsOnTheSameSection) {
    // The closed section handed to both methods: at M 0.01 what is left is the M^2 / 2 of
    // compressibility (5e-5) and the two discretisations' own errors.
    const std::vector<Vec2> section = Naca(0.12);
    std::vector<float> x, y;
    for (const Vec2 p : section) {
        x.push_back(static_cast<float>(p.x));
        y.push_back(static_cast<float>(p.y));
    }
    test::KaltoCall panel;
    panel.SetContour(x, y);
    panel.machin[0] = 0;
    panel.clain[0] = 1.25f;
    panel.Run();
    ASSERT_EQ(panel.Status(), KALTO_OK);
    const FullPotentialAnswer answer = Solve(section, 0.01, false, 1.25);
    ASSERT_TRUE(answer.converged);
    EXPECT_NEAR(answer.cl, panel.clout, 3e-4 * panel.clout);
}

TEST(FullPotentialLimits, SubsonicLiftIsTwiceTheCirculationAndSettledInGridAndBoundary) {
    // NACA 0012 at M 0.5 and 1.25 degrees. Without shocks the pressure on the wall and the
    // circulation must give the same lift (Kutta-Joukowski), and neither the grid nor the far
    // boundary may move it: 0.17875, 0.17882 and 0.17879 on 96, 160 and 512 nodes round,
    // 0.17862, 0.17882 and 0.17879 with the boundary at 25, 100 and 1000 circle radii.
    const std::vector<Vec2> section = Naca(0.12);
    const FullPotentialAnswer own = Solve(section, 0.5, false, 1.25);
    ASSERT_TRUE(own.converged);
    EXPECT_NEAR(own.cl, 2 * own.circulation, 1e-4 * own.cl);
    const FullPotentialAnswer coarse = Solve(section, 0.5, false, 1.25, {96, 21, 100});
    const FullPotentialAnswer far = Solve(section, 0.5, false, 1.25, {160, 41, 1000});
    ASSERT_TRUE(coarse.converged);
    ASSERT_TRUE(far.converged);
    EXPECT_NEAR(coarse.cl, own.cl, 5e-4 * own.cl);
    EXPECT_NEAR(far.cl, own.cl, 5e-4 * own.cl);
}

TEST(FullPotentialLimits, SubcriticalLiftIsCloseToTheKarmanTsienPanelAnswer) {
    // NACA 0012, M 0.5, 1.25 degrees: the panel method with the Karman-Tsien rule gives
    // 0.18209 for this section (0.18195 closed as here); the full potential, the exact
    // equation, 0.1788, settled in grid and far boundary. Both agree at M 0.01 (0.15083 and
    // 0.15082); the gap grows as M^2 (-0.1, -0.7 and -1.7 % at M 0.1, 0.3 and 0.5) and with
    // thickness (-0.8, -1.0, -1.7 and -2.5 % for 3, 6, 12 and 18 % thick sections at M 0.5): the
    // Karman-Tsien rule, local in Cp, overstates the lift that thickness adds under
    // compressibility (at M 0.1 its lift grows as 1 + 0.64 M^2, the full potential's as
    // 1 + 0.53 M^2, thin-section theory's as 1 + 0.5 M^2).
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.5, false, 1.25);
    ASSERT_TRUE(answer.converged);
    EXPECT_LT(answer.largestMach, 1);
    EXPECT_NEAR(answer.cl, 0.18209, 0.025 * 0.18209);
    EXPECT_LT(answer.cl, 0.18195);
    RecordProperty("cl", std::to_string(answer.cl));
}

TEST(FullPotentialTransonic, SymmetricSectionAtZeroAngleHasTwinShocks) {
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.8, false, 0);
    ASSERT_TRUE(answer.converged);
    EXPECT_NEAR(answer.cl, 0, 1e-4);
    const std::size_t n = answer.wall.size();
    for (std::size_t i = 0; i < n; ++i)
        EXPECT_NEAR(answer.wallCp[i], answer.wallCp[n - 1 - i], 2e-3) << i;
    const auto upper = ShocksOn(answer, true, 0.8), lower = ShocksOn(answer, false, 0.8);
    ASSERT_EQ(upper.size(), 1u);
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_NEAR(upper[0], lower[0], 1e-3);
    EXPECT_GT(upper[0], 0.3);
    EXPECT_LT(upper[0], 0.7);
}

TEST(FullPotentialTransonic, StrongShocksStandOnBothSurfacesBelowTheLiftCurvesTurn) {
    // NACA 0012 at M 0.80: asked for CL 0.4, the solution stands at about 0.61 degrees with a
    // shock on each surface, the upper one well aft. The angle needed levels off near 0.70
    // degrees (CL 0.6 to 0.8): at larger angles the conservative full potential has no solution
    // with the upper shock ahead of the trailing edge (Euler: CL 0.363 at 1.25).
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.8, true, 0.4);
    ASSERT_TRUE(answer.converged);
    EXPECT_NEAR(answer.cl, 0.4, 1e-4);
    EXPECT_GT(answer.alpha / kDegree, 0.5);
    EXPECT_LT(answer.alpha / kDegree, 0.7);
    const auto upper = ShocksOn(answer, true, 0.8), lower = ShocksOn(answer, false, 0.8);
    ASSERT_EQ(upper.size(), 1u);
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_GT(upper[0], lower[0] + 0.2);
    for (const double cp : answer.wallCp)
        EXPECT_TRUE(std::isfinite(cp));
}

TEST(FullPotentialTransonic, LiftCurveAtMach080TurnsBackBeforeOneDegree) {
    // Followed by the lift, the M 0.80 lift curve of NACA 0012 turns back: CL 0.8 needs a
    // smaller angle than CL 0.6, its upper shock near the trailing edge. So at 1.25 degrees
    // there is no solution with the upper shock ahead of the trailing edge. Finer grids turn
    // sooner (about 0.77, 0.70 and 0.65 degrees on 96, 160 and 256 nodes round), and the same
    // fold, grown, gives the lifting solutions at zero angle known for this section near M 0.85
    // (this solver: CL -0.44 at M 0.85 and 0 degrees): a property of the isentropic potential
    // model, not of its dissipation, which only delays the turn on coarse grids.
    const std::vector<Vec2> section = Naca(0.12);
    const FullPotentialAnswer before = Solve(section, 0.8, true, 0.6);
    const FullPotentialAnswer after = Solve(section, 0.8, true, 0.8);
    ASSERT_TRUE(before.converged);
    ASSERT_TRUE(after.converged);
    EXPECT_LT(after.alpha, before.alpha);
    EXPECT_LT(before.alpha / kDegree, 0.75);
    const auto upper = ShocksOn(after, true, 0.8);
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_GT(upper[0], 0.85);
}

struct Published {
    double mach, alpha, cl;
};

// Volpe and Jameson (1988), conservative full potential, NACA 0012.
class PublishedNaca0012 : public testing::TestWithParam<Published> {};

TEST_P(PublishedNaca0012, LiftAtOneDegreeWithinTwoPerCent) {
    const Published row = GetParam();
    const FullPotentialAnswer answer = Solve(Naca(0.12), row.mach, false, row.alpha);
    ASSERT_TRUE(answer.converged);
    EXPECT_GT(answer.largestMach, 1) << "a supersonic pocket";
    EXPECT_NEAR(answer.cl, row.cl, 0.02 * row.cl);
    RecordProperty("cl", std::to_string(answer.cl));
}

INSTANTIATE_TEST_SUITE_P(VolpeJameson, PublishedNaca0012,
                         testing::Values(Published{0.72, 1, 0.2038}, Published{0.73, 1, 0.2122},
                                         Published{0.75, 1, 0.2366}));

TEST(PublishedNaca0012Strong, LiftAtTwoDegreesSettlesAboveThePublishedValue) {
    // M 0.75 at 2 degrees: a strong shock (M 1.38 ahead of it) on the upper surface, and a lift
    // that climbs by about 0.45 a degree. This solver settles at CL 0.568, 0.583, 0.593 and
    // 0.600 on 96, 160 (its own), 256 and 384 nodes round, the shock at x 0.565 to 0.589,
    // toward about 0.61 as the grid is refined; the published 0.5130 it reaches near 1.85
    // degrees. The far boundary (100 to 2000 radii) and the rings (25 to 65) move it by less
    // than 0.002. More dissipation only lowers it on coarse grids: an upwind bias of 3 or full
    // upwinding in place of 1.5 gives 0.559 or 0.533 on 160 nodes, but 0.586 or 0.565 on 384
    // and the same limit; the shock is captured conservatively and no speed is held at the cap.
    const FullPotentialAnswer answer = Solve(Naca(0.12), 0.75, false, 2);
    ASSERT_TRUE(answer.converged);
    ASSERT_EQ(ShocksOn(answer, true, 0.75).size(), 1u);
    EXPECT_GT(answer.cl, 0.5130);
    const FullPotentialAnswer finer = Solve(Naca(0.12), 0.75, false, 2, {288, 61, 100});
    ASSERT_TRUE(finer.converged);
    EXPECT_NEAR(answer.cl, finer.cl, 0.03 * finer.cl);
    RecordProperty("cl", std::to_string(answer.cl));
}

// The pressure window's first case: NACA 0012 at M 0.70 and CL 0.5, on KALTO's own grid and
// two finer ones (in slow builds one coarser and one finer).
constexpr int kOwn = FullPotentialGrid{}.around;
constexpr int kStudy[] = {test::kSlowBuild ? 96 : kOwn, test::kSlowBuild ? kOwn : 192,
                          test::kSlowBuild ? 192 : 288};

class DefaultCase : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::vector<Vec2> section = Naca(0.12);
        for (const int around : kStudy) {
            // Cells at the wall stay square: rings grow with the nodes round (odd).
            const FullPotentialGrid grid{around, 20 * around / 96 / 2 * 2 + 1, 100};
            answers_[around] = Solve(section, 0.7, true, 0.5, grid);
        }
    }
    static const FullPotentialAnswer& At(int around) { return answers_[around]; }

  private:
    static inline std::map<int, FullPotentialAnswer> answers_;
};

TEST_F(DefaultCase, ConvergesToTheLiftWithOneShockOnTheUpperSurface) {
    const FullPotentialAnswer& answer = At(kOwn);
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
        if (answer.wall[i].x > upper[0] + 0.05) {
            EXPECT_GT(answer.wallCp[i], SonicCp(0.7)) << i;
        }
}

TEST_F(DefaultCase, ShockPlaceSettlesAsTheGridIsRefined) {
    double previous = 0;
    for (const int around : kStudy) {
        ASSERT_TRUE(At(around).converged) << around;
        const auto shocks = ShocksOn(At(around), true, 0.7);
        ASSERT_EQ(shocks.size(), 1u) << around;
        RecordProperty("shock_x_" + std::to_string(around), std::to_string(shocks[0]));
        RecordProperty("alpha_" + std::to_string(around),
                       std::to_string(At(around).alpha / kDegree));
        if (around == kStudy[2]) {
            EXPECT_NEAR(shocks[0], previous, 0.02);
        }
        previous = shocks[0];
    }
}

TEST_F(DefaultCase, TheAngleFoundGivesTheLiftBack) {
    const FullPotentialAnswer& byLift = At(kOwn);
    const FullPotentialAnswer byAngle = Solve(Naca(0.12), 0.7, false, byLift.alpha / kDegree);
    ASSERT_TRUE(byAngle.converged);
    EXPECT_NEAR(byAngle.cl, 0.5, 1e-3);
}

TEST(FullPotentialCaps, ASolutionHeldAtTheMachCapIsNoSolution) {
    // NACA 4418 at M 0.6 and 6 degrees settles only with the upper surface's speed held at the
    // iteration's cap: no flow, so not converged.
    const FullPotentialAnswer answer = Solve(Naca(0.18, 0.04), 0.6, false, 6);
    EXPECT_FALSE(answer.converged);
    EXPECT_NEAR(answer.largestMach, 1.8, 1e-6);
}

TEST(FullPotentialCaps, IterationCapAndDeadlineEndTheSolutionUnconverged) {
    const std::vector<Vec2> section = Naca(0.12);
    FullPotentialLimits few;
    few.iterationCap = 10;
    const FullPotentialAnswer capped = Solve(section, 0.7, true, 0.5, {}, few);
    EXPECT_FALSE(capped.converged);
    EXPECT_LE(capped.history.size(), 10u);

    FullPotentialLimits late;
    late.deadline = std::chrono::steady_clock::now();
    const auto start = std::chrono::steady_clock::now();
    const FullPotentialAnswer timedOut = Solve(section, 0.7, true, 0.5, {}, late);
    EXPECT_FALSE(timedOut.converged);
    EXPECT_TRUE(timedOut.history.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
        << "only the map and the grids are built";
    EXPECT_EQ(timedOut.wallCp.size(), timedOut.wall.size());
}

} // namespace
} // namespace zarnfoil::solver
