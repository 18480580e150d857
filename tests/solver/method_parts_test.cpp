// The method's parts by their mathematical properties: the compressibility rule by a table of
// hand-worked values, the panel integrals against numerical quadrature, the contour spline and
// the linear solver by what they must reproduce.
#include "solver/compressibility.h"
#include "solver/contour_spline.h"
#include "solver/lu_solve.h"
#include "solver/panel_influence.h"
#include "solver/panel_nodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace zarnfoil::solver {
namespace {

constexpr double pi = std::numbers::pi;

struct KarmanTsienRow {
    double mach, cpIncompressible, cp;
};

TEST(KarmanTsien, GivesTheTabulatedPressures) {
    // Cp = Cp0 / (beta + M^2 / (1 + beta) * Cp0 / 2), worked out by hand.
    const KarmanTsienRow rows[] = {{0.5, -0.5, -0.600578}, {0.5, 0.5, 0.555853},
                                   {0.7, -1.0, -1.750657}, {0.3, 1.0, 1.023573},
                                   {0.8, -0.3, -0.555556}, {0.0, -7.5, -7.5}};
    for (const auto& row : rows) {
        const CorrectedCp c = KarmanTsien(row.mach).Correct(row.cpIncompressible);
        EXPECT_NEAR(c.cp, row.cp, 1e-5) << "M " << row.mach << ", Cp0 " << row.cpIncompressible;
        EXPECT_TRUE(c.inRange);
    }
}

TEST(KarmanTsien, SlopeIsTheDerivative) {
    const KarmanTsien correction(0.6);
    for (double cp0 : {-1.5, -0.4, 0.0, 0.7}) {
        const double h = 1e-6;
        const double numeric =
            (correction.Correct(cp0 + h).cp - correction.Correct(cp0 - h).cp) / (2 * h);
        EXPECT_NEAR(correction.Correct(cp0).slope, numeric, 1e-6) << cp0;
    }
}

TEST(KarmanTsien, HoldsVacuumPastWhatTheCorrectionCanTake) {
    // At M 0.7 the formula's pole lies at Cp0 = -4.9965; just before it the result falls below
    // the vacuum Cp -2 / (1.4 M^2) = -2.91545, past it the sign turns.
    const KarmanTsien correction(0.7);
    for (double cp0 : {-4.5, -5.5, -100.0}) {
        const CorrectedCp c = correction.Correct(cp0);
        EXPECT_NEAR(c.cp, -2.915452, 1e-6) << cp0;
        EXPECT_FALSE(c.inRange) << cp0;
        EXPECT_EQ(c.slope, 0);
    }
    EXPECT_TRUE(correction.Correct(-1.0).inRange);
    EXPECT_TRUE(KarmanTsien(0).Correct(-1000).inRange) << "incompressible flow has no limit";
}

// psi at a field point by midpoint quadrature, for comparison.
double QuadratureVortexPsi(Vec2 field, Vec2 a, Vec2 b, double gammaA, double gammaB) {
    const int steps = 20000;
    double sum = 0;
    for (int k = 0; k < steps; ++k) {
        const double u = (k + 0.5) / steps;
        const Vec2 q = a + u * (b - a);
        sum += (gammaA + u * (gammaB - gammaA)) * std::log(Length(field - q));
    }
    return sum * Length(b - a) / steps / (2 * pi);
}

TEST(PanelIntegrals, LinearVortexMatchesQuadrature) {
    const Vec2 a{0.2, 0.1}, b{0.5, -0.3};
    const Panel panel = PanelBetween(a, b);
    for (Vec2 field : {Vec2{0.9, 0.4}, Vec2{-0.3, -0.2}, Vec2{0.35, -0.08}, Vec2{0.8, -0.7},
                       Vec2{0.36, -0.10}}) {
        const VortexPsi psi =
            LinearVortexPsi(field, panel, DistanceBetween(field, a), DistanceBetween(field, b));
        EXPECT_NEAR(psi.start, QuadratureVortexPsi(field, a, b, 1, 0), 1e-6);
        EXPECT_NEAR(psi.end, QuadratureVortexPsi(field, a, b, 0, 1), 1e-6);
    }
}

TEST(PanelIntegrals, LinearVortexAtItsOwnEnd) {
    // At the start node: psi = 1/(2 pi) * integral of gamma(s) ln s ds, worked out by hand.
    const double length = 0.3;
    const Vec2 a{0, 0}, b{length, 0};
    const VortexPsi psi =
        LinearVortexPsi(a, PanelBetween(a, b), DistanceBetween(a, a), DistanceBetween(a, b));
    const double lnL = std::log(length);
    EXPECT_NEAR(psi.end, (0.5 * length * lnL - 0.25 * length) / (2 * pi), 1e-12);
    EXPECT_NEAR(psi.start + psi.end, (length * lnL - length) / (2 * pi), 1e-12);
}

TEST(PanelIntegrals, UniformSourceMatchesQuadratureOfTheAngleFromTheLeftNormal) {
    const Vec2 a{1.0, -0.01}, b{1.0, 0.01}; // a trailing-edge gap, left normal pointing to -x
    const Panel panel = PanelBetween(a, b);
    for (Vec2 field : {Vec2{0.5, 0.05}, Vec2{0.99, -0.02}, Vec2{1.0, 0.01}, Vec2{1.0, -0.01},
                       Vec2{1.3, 0.2}, Vec2{0.0, 0.0}}) {
        const int steps = 20000;
        double sum = 0;
        for (int k = 0; k < steps; ++k) {
            const Vec2 q = a + ((k + 0.5) / steps) * (b - a);
            const Vec2 d = field - q;
            sum += std::atan2(-d.y, -d.x); // angle measured from the direction -x
        }
        const double expected = sum * panel.length / steps / (2 * pi);
        EXPECT_NEAR(UniformSourcePsi(field, panel), expected, 1e-6) << field.x << ", " << field.y;
    }
}

TEST(ContourSpline, FollowsACircleAndFindsItsLeftmostPoint) {
    std::vector<Vec2> points;
    for (int k = 0; k <= 60; ++k) {
        const double t = 0.2 + 2 * pi * 0.9 * k / 60; // an open arc round (0.5, 0)
        points.push_back({0.5 + 0.5 * std::cos(t), 0.5 * std::sin(t)});
    }
    const ContourSpline spline(points);
    for (double s = 0; s <= spline.TotalLength(); s += 0.01)
        EXPECT_NEAR(Length(spline.At(s) - Vec2{0.5, 0}), 0.5, 2e-5) << s;
    const auto leadingEdge = LeadingEdgeArc(spline);
    ASSERT_TRUE(leadingEdge.has_value());
    EXPECT_NEAR(spline.At(*leadingEdge).x, 0, 1e-7);
    EXPECT_NEAR(spline.At(*leadingEdge).y, 0, 1e-4);
}

TEST(ContourSpline, HasNoLeadingEdgeWhenTheSmallestXIsAnEnd) {
    const std::vector<Vec2> points{{0, 0}, {0.5, 0.1}, {1, 0}, {0.5, -0.1}, {0.1, -0.01}};
    EXPECT_FALSE(LeadingEdgeArc(ContourSpline(points)).has_value());
}

TEST(LuFactors, SolvesAfterRowExchangesAndRefusesASingularMatrix) {
    // A 20 x 20 system whose first column needs pivoting, with a known solution.
    const std::size_t n = 20;
    std::vector<double> a(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            a[i * n + j] = (i == j ? 0.5 : 0.0) +
                           std::sin(1.0 + 3.0 * i + 7.0 * j) * (j == 0 && i < 5 ? 1e-3 : 1);
    std::vector<double> expected(n), rhs(n, 0.0);
    for (std::size_t j = 0; j < n; ++j)
        expected[j] = 1.0 + 0.1 * j;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            rhs[i] += a[i * n + j] * expected[j];
    LuFactors lu;
    ASSERT_TRUE(lu.Factor(a, n));
    lu.Solve(rhs);
    for (std::size_t j = 0; j < n; ++j)
        EXPECT_NEAR(rhs[j], expected[j], 1e-10) << j;

    for (std::size_t j = 0; j < n; ++j)
        a[7 * n + j] = a[3 * n + j]; // two equal equations
    EXPECT_FALSE(lu.Factor(a, n));
}

} // namespace
} // namespace zarnfoil::solver
