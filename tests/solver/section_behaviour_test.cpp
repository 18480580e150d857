// What any section must show whatever the method's details: symmetry, the station layout, the
// caller's point order, the blunt trailing edge, compressibility, and several cases at once.
#include "kalto_call.h"
#include "karman_trefftz.h"
#include "naca_section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarnfoil::solver::test {
namespace {

KaltoCall ByAngle(const std::vector<float>& x, const std::vector<float>& y, float alpha,
                  float mach = 0) {
    KaltoCall call;
    call.SetContour(x, y);
    call.imode = 1;
    call.machin[0] = mach;
    call.clain[0] = alpha;
    call.Run();
    return call;
}

// The upper half given, the lower half its exact mirror image.
void Mirrored(std::vector<float>& x, std::vector<float>& y) {
    const std::size_t half = x.size() / 2;
    for (std::size_t k = 0; k < half; ++k) {
        x[x.size() - 1 - k] = x[k];
        y[y.size() - 1 - k] = -y[k];
    }
    y[half] = 0;
}

TEST(SectionBehaviour, SymmetricSectionAtZeroAngleHasNoLiftAndEqualSurfaces) {
    std::vector<float> bluntX, bluntY, sharpX, sharpY;
    NacaSection(0, 0.4, 0.12, 161, bluntX, bluntY);
    KarmanTrefftz(0.1, 0, 12).Contour(160, sharpX, sharpY);
    Mirrored(bluntX, bluntY);
    Mirrored(sharpX, sharpY);
    for (const auto* section : {&bluntX, &sharpX}) {
        const auto& x = *section;
        const auto& y = section == &bluntX ? bluntY : sharpY;
        const KaltoCall call = ByAngle(x, y, 0);
        ASSERT_EQ(call.Status(), KALTO_OK);
        EXPECT_NEAR(call.clout, 0, 1e-5);
        for (int j = 1; j <= 64; ++j) {
            EXPECT_NEAR(call.X(j), call.X(130 - j), 1e-6) << j;
            EXPECT_NEAR(call.Cp(j), call.Cp(130 - j), 1e-5) << j;
        }
        // At plus and minus an angle the surfaces swap.
        const KaltoCall up = ByAngle(x, y, 5), down = ByAngle(x, y, -5);
        EXPECT_NEAR(up.clout, -down.clout, 1e-5);
        EXPECT_GT(up.clout, 0.5);
        for (int j = 1; j <= 64; ++j)
            EXPECT_NEAR(up.Cp(j), down.Cp(130 - j), 1e-4) << j;
    }
}

TEST(SectionBehaviour, StationsRunFromTheTrailingEdgeOverTheUpperSurfaceAndBack) {
    std::vector<float> x, y;
    NacaSection(0.04, 0.4, 0.15, 121, x, y);
    const KaltoCall call = ByAngle(x, y, 3);
    ASSERT_EQ(call.Status(), KALTO_OK);
    // Cosine-spaced between the leading edge and each surface's own trailing-edge x (this
    // section's camber puts them a little either side of 1).
    constexpr double pi = std::numbers::pi;
    EXPECT_FLOAT_EQ(call.X(1), x.front());
    EXPECT_FLOAT_EQ(call.X(129), x.back());
    const double leadingEdge = call.X(65);
    EXPECT_NEAR(leadingEdge, 0, 1e-3);
    for (int j = 1; j <= 65; ++j)
        EXPECT_NEAR(
            call.X(j),
            leadingEdge + (x.front() - leadingEdge) * 0.5 * (1 + std::cos(pi * (j - 1) / 64)), 1e-6)
            << j;
    for (int j = 66; j <= 129; ++j)
        EXPECT_NEAR(
            call.X(j),
            leadingEdge + (x.back() - leadingEdge) * 0.5 * (1 - std::cos(pi * (j - 65) / 64)), 1e-6)
            << j;
    EXPECT_FLOAT_EQ(call.ycp[0], y.front());
    EXPECT_FLOAT_EQ(call.ycp[128], y.back());
    for (int j = 2; j <= 64; ++j)
        EXPECT_GT(call.ycp[j - 1], call.ycp[130 - j - 1]) << j;
    // Suction on the upper surface and stagnation near the leading edge below it.
    EXPECT_LT(call.Cp(50), call.Cp(80));
    float highest = -10;
    for (int j = 60; j <= 75; ++j)
        highest = std::max(highest, call.Cp(j));
    EXPECT_NEAR(highest, 1.0f, 0.02);
}

TEST(SectionBehaviour, ClockwiseContourGivesTheSameFlowWithStationsInItsOrder) {
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    const KaltoCall forward = ByAngle(x, y, 4);
    std::reverse(x.begin(), x.end());
    std::reverse(y.begin(), y.end());
    const KaltoCall backward = ByAngle(x, y, 4);
    ASSERT_EQ(backward.Status(), KALTO_OK);
    EXPECT_NEAR(backward.clout, forward.clout, 1e-4);
    EXPECT_NEAR(backward.Cp(65), forward.Cp(65), 1e-3);
    for (int j = 1; j <= 64; ++j) {
        EXPECT_NEAR(backward.X(j), forward.X(130 - j), 1e-5) << j;
        EXPECT_NEAR(backward.Cp(j), forward.Cp(130 - j), 2e-3) << j;
    }
}

TEST(SectionBehaviour, BluntTrailingEdgeLetsTheFlowLeaveAlike) {
    // NACA 2412 with its 0.25 % thick base, and closed: the base panel's source carries the
    // flow on, so lift and the pressure ahead of the base hardly move; both trailing-edge
    // points see one pressure (Kutta), and nowhere does incompressible Cp pass stagnation.
    std::vector<float> x, y, closedX, closedY;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    NacaSection(0.02, 0.4, 0.12, 161, closedX, closedY, true);
    const KaltoCall blunt = ByAngle(x, y, 4), closed = ByAngle(closedX, closedY, 4);
    ASSERT_EQ(blunt.Status(), KALTO_OK);
    EXPECT_NEAR(blunt.clout / closed.clout, 1.0, 0.01);
    EXPECT_NEAR(blunt.Cp(1), blunt.Cp(129), 1e-4);
    // The pressure recovers smoothly onto the base: no jump between the last stations.
    EXPECT_GT(blunt.Cp(1), 0.2f);
    for (int j = 1; j <= 5; ++j) {
        EXPECT_NEAR(blunt.Cp(j), blunt.Cp(j + 1), 0.15) << j;
        EXPECT_NEAR(blunt.Cp(130 - j), blunt.Cp(129 - j), 0.15) << j;
    }
    for (int j = 1; j <= 129; ++j) {
        EXPECT_LE(blunt.Cp(j), 1.0f + 1e-3f) << j;
        if (blunt.X(j) < 0.9) {
            EXPECT_NEAR(blunt.Cp(j), closed.Cp(j), 0.02) << j;
        }
    }
}

TEST(SectionBehaviour, CompressibilityRaisesLiftAndSuction) {
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    const KaltoCall low = ByAngle(x, y, 2, 0), high = ByAngle(x, y, 2, 0.6f);
    ASSERT_EQ(high.Status(), KALTO_OK);
    // Between the Prandtl-Glauert factor 1/beta = 1.25 and a few per cent above it.
    EXPECT_GT(high.clout / low.clout, 1.25);
    EXPECT_LT(high.clout / low.clout, 1.35);
    EXPECT_LT(high.Cp(60), low.Cp(60));
}

TEST(SectionBehaviour, EachCaseHasItsOwnRowAndStatus) {
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 161, x, y);
    KaltoCall call;
    call.SetContour(x, y);
    call.ncase = 3;
    call.imode = 1;
    const float machs[] = {0.0f, 0.5f, 1.2f};
    const float alphas[] = {2.0f, 4.0f, 1.0f};
    for (int k = 0; k < 3; ++k) {
        call.machin[static_cast<std::size_t>(k)] = machs[k];
        call.clain[static_cast<std::size_t>(k)] = alphas[k];
    }
    call.istat.fill(-1);
    call.Run();
    for (int k = 1; k <= 3; ++k) {
        const KaltoCall single = ByAngle(x, y, alphas[k - 1], machs[k - 1]);
        EXPECT_EQ(call.Status(k), single.Status());
        EXPECT_EQ(call.caseout[static_cast<std::size_t>(k - 1)], alphas[k - 1]);
        EXPECT_FLOAT_EQ(call.caseout[static_cast<std::size_t>(k - 1 + 10)], single.clout);
        for (int j = 1; j <= 129; ++j)
            EXPECT_FLOAT_EQ(call.Cp(j, k), single.Cp(j)) << k << " " << j;
    }
    EXPECT_EQ(call.Status(3), KALTO_OUT_OF_RANGE);
    for (int k = 4; k <= 10; ++k)
        EXPECT_EQ(call.Status(k), KALTO_OK) << k;
    EXPECT_FLOAT_EQ(call.clout, call.caseout[10]);
}

} // namespace
} // namespace zarnfoil::solver::test
