// Lift and pressure of a Karman-Trefftz section given at 161 points, against the exact
// incompressible flow of its conformal map.
#include "kalto_call.h"
#include "karman_trefftz.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarnfoil::solver::test {
namespace {

struct ExactCase {
    double thickness, camber, trailingEdgeAngle, alpha;
};

class ExactSection : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactSection, LiftAndPressureMatchTheConformalMap) {
    const ExactCase c = GetParam();
    const KarmanTrefftz section(c.thickness, c.camber, c.trailingEdgeAngle);
    std::vector<float> x, y;
    section.Contour(160, x, y);
    KaltoCall call;
    call.SetContour(x, y);
    call.imode = 1;
    call.machin[0] = 0;
    call.clain[0] = static_cast<float>(c.alpha);
    call.Run();

    ASSERT_EQ(call.Status(), KALTO_OK);
    const double exactLift = section.Lift(c.alpha);
    EXPECT_NEAR(call.clout, exactLift, 0.002 * std::max(std::abs(exactLift), 0.05));
    EXPECT_FLOAT_EQ(call.alphaout, static_cast<float>(c.alpha));

    double worst = 0;
    for (int j = 1; j <= 129; ++j) {
        const double xj = call.X(j);
        if (xj < 0.01 || xj > 0.99) continue;
        const double exact = section.PressureAt(xj, j <= 65, c.alpha);
        EXPECT_NEAR(call.Cp(j), exact, 0.005) << "station " << j << " at x " << xj;
        worst = std::max(worst, std::abs(call.Cp(j) - exact));
    }
    RecordProperty("worst_cp_error", std::to_string(worst));
    RecordProperty("lift_difference", std::to_string(call.clout - exactLift));
}

INSTANTIATE_TEST_SUITE_P(KarmanTrefftz, ExactSection,
                         testing::Values(ExactCase{0.10, 0.00, 10, 0}, ExactCase{0.10, 0.00, 10, 6},
                                         ExactCase{0.10, 0.06, 10, 2},
                                         ExactCase{0.10, 0.06, 10, -1}, ExactCase{0.06, 0.10, 5, 4},
                                         ExactCase{0.15, 0.04, 15, 8}));

} // namespace
} // namespace zarnfoil::solver::test
