// Answers known exactly: a Karman-Trefftz section's lift and pressure from its conformal map,
// and the Karman-Tsien rule worked out by hand.
#include "kalto_call.h"
#include "karman_trefftz.h"
#include "solver/compressibility.h"

#include <gtest/gtest.h>

namespace zarnfoil::solver::test {
namespace {

struct ExactCase {
    double thickness, camber, trailingEdgeAngle, alpha;
};

class ExactSection : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactSection, LiftAndPressureAtIncompressibleSpeedMatchTheConformalMap) {
    const ExactCase c = GetParam();
    const KarmanTrefftz section(c.thickness, c.camber, c.trailingEdgeAngle);
    const auto [x, y] = section.Contour(160);
    KaltoCall call(x, y, 1, 0, static_cast<float>(c.alpha));
    call.Run();
    ASSERT_EQ(call.Status(), KALTO_OK);
    const double exactLift = section.Lift(c.alpha);
    EXPECT_NEAR(call.clout, exactLift, 0.002 * std::max(std::abs(exactLift), 0.05));
    EXPECT_FLOAT_EQ(call.alphaout, static_cast<float>(c.alpha));
    for (int j = 1; j <= 129; ++j) {
        if (call.X(j) < 0.01 || call.X(j) > 0.99) continue;
        EXPECT_NEAR(call.Cp(j), section.PressureAt(call.X(j), j <= 65, c.alpha), 0.005)
            << "station " << j << " at x " << call.X(j);
    }
}

INSTANTIATE_TEST_SUITE_P(KarmanTrefftz, ExactSection,
                         testing::Values(ExactCase{0.10, 0.00, 10, 6}, ExactCase{0.10, 0.06, 10, 2},
                                         ExactCase{0.10, 0.06, 10, -1}, ExactCase{0.06, 0.10, 5, 4},
                                         ExactCase{0.15, 0.04, 15, 8}));

TEST(KarmanTsien, GivesTheHandWorkedPressures) {
    // Cp = Cp0 / (beta + M^2 / (1 + beta) * Cp0 / 2).
    const struct {
        double mach, cpIncompressible, cp;
    } rows[] = {{0.5, -0.5, -0.600578}, {0.5, 0.5, 0.555853},   {0.7, -1.0, -1.750657},
                {0.3, 1.0, 1.023573},   {0.8, -0.3, -0.555556}, {0.0, -1000, -1000}};
    for (const auto& row : rows) {
        const CorrectedCp c = KarmanTsien(row.mach).Correct(row.cpIncompressible);
        EXPECT_NEAR(c.cp, row.cp, 1e-5) << "M " << row.mach << ", Cp0 " << row.cpIncompressible;
        EXPECT_TRUE(c.inRange);
    }
}

} // namespace
} // namespace zarnfoil::solver::test
