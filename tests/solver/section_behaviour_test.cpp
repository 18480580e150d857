// What any section must show whatever the method's details: symmetry, the station layout, the
// caller's point order, the blunt trailing edge, compressibility, and several cases at once.
#include "kalto_call.h"
#include "karman_trefftz.h"

#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

namespace zarnfoil::solver::test {
namespace {

KaltoCall ByAngle(const std::vector<float>& x, const std::vector<float>& y, float alpha,
                  float mach = 0) {
    KaltoCall call(x, y, 1, mach, alpha);
    call.Run();
    return call;
}

TEST(SectionBehaviour, SymmetricSectionAtZeroAngleHasNoLiftAndEqualSurfaces) {
    // A blunt and a sharp trailing edge, the lower half the exact mirror image of the upper.
    std::vector<float> x[2], y[2];
    NacaSection(0, 0.4, 0.12, 161, x[0], y[0]);
    std::tie(x[1], y[1]) = KarmanTrefftz(0.1, 0, 12).Contour(160);
    for (int s = 0; s < 2; ++s) {
        for (std::size_t k = 0; k < 80; ++k)
            x[s][160 - k] = x[s][k], y[s][160 - k] = -y[s][k];
        y[s][80] = 0;
        const KaltoCall call = ByAngle(x[s], y[s], 0);
        ASSERT_EQ(call.Status(), KALTO_OK);
        EXPECT_NEAR(call.clout, 0, 1e-5);
        // At plus and minus an angle the surfaces swap.
        const KaltoCall up = ByAngle(x[s], y[s], 5), down = ByAngle(x[s], y[s], -5);
        EXPECT_NEAR(up.clout, -down.clout, 1e-5);
        EXPECT_GT(up.clout, 0.5);
        for (int j = 1; j <= 64; ++j) {
            EXPECT_NEAR(call.X(j), call.X(130 - j), 1e-6) << j;
            EXPECT_NEAR(call.Cp(j), call.Cp(130 - j), 1e-5) << j;
            EXPECT_NEAR(up.Cp(j), down.Cp(130 - j), 1e-4) << j;
        }
    }
}

TEST(SectionBehaviour, StationsRunFromTheTrailingEdgeOverTheUpperSurfaceAndBack) {
    std::vector<float> x, y;
    NacaSection(0.04, 0.4, 0.15, 121, x, y);
    const KaltoCall call = ByAngle(x, y, 3);
    ASSERT_EQ(call.Status(), KALTO_OK);
    // Cosine-spaced between the leading edge and each surface's own trailing-edge x (this
    // section's camber puts them a little either side of 1).
    const double leadingEdge = call.X(65);
    EXPECT_NEAR(leadingEdge, 0, 1e-3);
    for (int j = 1; j <= 129; ++j) {
        const double end = j <= 65 ? x.front() : x.back();
        const double share = 0.5 * (1 + std::cos(std::numbers::pi * (j - 1) / 64));
        EXPECT_NEAR(call.X(j), leadingEdge + (end - leadingEdge) * share, 1e-6) << j;
    }
}

TEST(SectionBehaviour, ClockwiseContourGivesTheSameFlowWithStationsInItsOrder) {
    // Subsonic (panel answer) and transonic (full-potential answer, a shock that may shift a
    // station).
    const struct {
        float mach, alpha, tolerance;
    } flows[] = {{0.0f, 4.0f, 2e-3f}, {0.72f, 1.0f, 0.02f}};
    for (const auto& flow : flows) {
        std::vector<float> x, y;
        NacaSection(0.02, 0.4, 0.12, 161, x, y);
        const KaltoCall forward = ByAngle(x, y, flow.alpha, flow.mach);
        std::reverse(x.begin(), x.end());
        std::reverse(y.begin(), y.end());
        const KaltoCall backward = ByAngle(x, y, flow.alpha, flow.mach);
        ASSERT_EQ(backward.Status(), KALTO_OK);
        EXPECT_EQ(backward.EulerAnswered(), flow.mach > 0);
        EXPECT_EQ(forward.EulerAnswered(), flow.mach > 0);
        EXPECT_NEAR(backward.clout, forward.clout, 1e-4);
        for (int j = 1; j <= 129; ++j) {
            EXPECT_NEAR(backward.X(j), forward.X(130 - j), 1e-5) << j;
            EXPECT_NEAR(backward.Cp(j), forward.Cp(130 - j), flow.tolerance) << j;
        }
    }
}

TEST(SectionBehaviour, BluntTrailingEdgeLetsTheFlowLeaveAlike) {
    // NACA 2412 with its 0.25 % thick base, and closed: the base panel's source carries the
    // flow on, so lift and the pressure ahead of the base hardly move; both trailing-edge
    // points see one pressure, and nowhere does incompressible Cp pass stagnation.
    std::vector<float> x, y, closedX, closedY;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    NacaSection(0.02, 0.4, 0.12, 161, closedX, closedY, true);
    const KaltoCall blunt = ByAngle(x, y, 4), closed = ByAngle(closedX, closedY, 4);
    ASSERT_EQ(blunt.Status(), KALTO_OK);
    EXPECT_NEAR(blunt.clout / closed.clout, 1.0, 0.01);
    EXPECT_NEAR(blunt.Cp(1), blunt.Cp(129), 1e-4);
    EXPECT_GT(blunt.Cp(1), 0.2f);
    for (int j = 1; j <= 5; ++j) { // no jump onto the base
        EXPECT_NEAR(blunt.Cp(j), blunt.Cp(j + 1), 0.15) << j;
        EXPECT_NEAR(blunt.Cp(130 - j), blunt.Cp(129 - j), 0.15) << j;
    }
    for (int j = 1; j <= 129; ++j) {
        EXPECT_LE(blunt.Cp(j), 1.0f + 1e-3f) << j;
        EXPECT_TRUE(blunt.X(j) > 0.9 || std::abs(blunt.Cp(j) - closed.Cp(j)) < 0.02) << j;
    }
}

TEST(SectionBehaviour, FlatLowerSurfaceIsASection) {
    // As Clark Y's: the lower surface of NACA 0012 held flat from its thickest place aft, the
    // upper surface lifted there by as much to keep the thickness. Points in line along the
    // flat are no crossing of the contour, and the stations there lie on the flat.
    std::vector<float> x, y;
    NacaSection(0, 0.4, 0.12, 161, x, y);
    const float start = x[50], flat = -y[50]; // x 0.309, just aft of the thickest place
    for (std::size_t k = 0; k < 161; ++k) {
        if (x[k] < start) continue;
        if (k > 80)
            y[k] = flat;
        else
            y[k] = 2 * y[k] + flat;
    }
    const KaltoCall call = ByAngle(x, y, 0);
    ASSERT_EQ(call.Status(), KALTO_OK);
    for (int j = 66; j <= 129; ++j) {
        if (call.X(j) < start) continue;
        EXPECT_NEAR(call.ycp[static_cast<std::size_t>(j - 1)], flat, 1e-4) << j;
    }
}

TEST(SectionBehaviour, EachCaseHasItsOwnRowStatusAndMachNumber) {
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    KaltoCall call(x, y);
    call.ncase = 3;
    const float machs[] = {0.0f, 0.6f, 1.2f}, alphas[] = {2.0f, 2.0f, 1.0f};
    std::copy_n(machs, 3, call.machin.begin());
    std::copy_n(alphas, 3, call.clain.begin());
    std::fill_n(call.istat.begin(), 10, -1);
    call.Run();
    for (std::size_t k = 1; k <= 3; ++k) {
        const KaltoCall single = ByAngle(x, y, alphas[k - 1], machs[k - 1]);
        EXPECT_EQ(call.Status(k), single.Status());
        EXPECT_EQ(call.caseout[k - 1], alphas[k - 1]);
        EXPECT_FLOAT_EQ(call.caseout[k - 1 + 10], single.clout);
        for (int j = 1; j <= 129; ++j)
            EXPECT_FLOAT_EQ(call.Cp(j, k), single.Cp(j)) << k << " " << j;
    }
    EXPECT_FLOAT_EQ(call.clout, call.caseout[10]);
    // Compressibility raises lift and suction: a little more than the Prandtl-Glauert factor
    // 1/beta = 1.25 at M 0.6. Past Mach 1 the case is out of range.
    EXPECT_GT(call.caseout[11] / call.caseout[10], 1.25f);
    EXPECT_LT(call.caseout[11] / call.caseout[10], 1.35f);
    EXPECT_LT(call.Cp(60, 2), call.Cp(60, 1));
    EXPECT_EQ(call.Status(3), KALTO_OUT_OF_RANGE);
    for (int k = 4; k <= 10; ++k)
        EXPECT_EQ(call.Status(k), KALTO_NOT_COMPUTED) << "past NCASE, case " << k;
}

} // namespace
} // namespace zarnfoil::solver::test
