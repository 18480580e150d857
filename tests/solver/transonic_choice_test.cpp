// How KALTO picks its answer: the panel method while the flow stays subsonic, the Euler
// solution where it turns supersonic, with the model and the shocks reported; and answers that
// depend on the inputs alone.
#include "kalto_call.h"
#include "solver/sonic_cp.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zarnfoil::solver::test {
namespace {

TEST(TransonicChoice, SubsonicFlowKeepsThePanelAnswer) {
    KaltoCall call = KaltoCall::Naca(0, 0.12, 1, 0.5f, 1.25f);
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_OK);
    EXPECT_FALSE(call.EulerAnswered());
    EXPECT_EQ(call.caseout[20], static_cast<float>(KALTO_MODEL_PANEL));
    EXPECT_EQ(call.caseout[30], 0.0f);
    EXPECT_EQ(call.caseout[40], 0.0f);
    EXPECT_EQ(call.FirstShock(), -1.0f);
    EXPECT_EQ(call.SecondShock(), -1.0f);
    for (int j = 1; j <= 129; ++j)
        EXPECT_GT(call.Cp(j), SonicCp(0.5)) << j;
}

// Stations where Cp rises through the sonic value going aft on the first surface.
std::vector<int> UpperShockStations(const KaltoCall& call, double sonic) {
    std::vector<int> at;
    for (int j = 64; j >= 1; --j)
        if (call.Cp(j + 1) < sonic && call.Cp(j) >= sonic) at.push_back(j);
    return at;
}

TEST(TransonicChoice, WindowFirstCaseIsTheEulerSolutionWithItsShock) {
    // NACA 0012 (its own blunt trailing edge) at M 0.70 and CL 0.5, the case the window
    // computes first.
    KaltoCall call = KaltoCall::Naca(0, 0.12, 0, 0.7f, 0.5f);
    call.Run();
    ASSERT_EQ(call.Status(), KALTO_OK);
    EXPECT_TRUE(call.EulerAnswered());
    EXPECT_TRUE(call.OutputsFinite());
    EXPECT_NEAR(call.clout, 0.5f, 1e-4);
    EXPECT_EQ(call.caseout[10], call.clout);
    EXPECT_EQ(call.caseout[0], call.alphaout);
    EXPECT_GT(call.caseout[30], 0.0f) << "multigrid cycles";
    EXPECT_GT(call.caseout[40], 1.0f) << "largest local Mach number";

    const double sonic = SonicCp(0.7);
    const std::vector<int> upper = UpperShockStations(call, sonic);
    ASSERT_EQ(upper.size(), 1u) << "one shock on the upper surface";
    const int shock = upper[0];
    EXPECT_GT(call.X(shock), 0.2f);
    EXPECT_LT(call.X(shock), 0.5f);
    // The reported place lies between the stations where Cp crosses the sonic value.
    EXPECT_LE(call.FirstShock(), call.X(shock - 1) + 1e-6f);
    EXPECT_GE(call.FirstShock(), call.X(shock + 2) - 1e-6f);
    EXPECT_EQ(call.SecondShock(), -1.0f) << "lower surface subsonic";
    // A shock, not a gentle recompression: Cp climbs steeply across a few stations.
    EXPECT_GT(call.Cp(shock - 1) - call.Cp(shock + 2), 0.4f);
    for (int j = 66; j <= 129; ++j)
        EXPECT_GT(call.Cp(j), sonic) << "lower surface subsonic, station " << j;

    KaltoCall byAngle = KaltoCall::Naca(0, 0.12, 1, 0.7f, call.alphaout);
    byAngle.Run();
    ASSERT_EQ(byAngle.Status(), KALTO_OK);
    EXPECT_TRUE(byAngle.EulerAnswered());
    EXPECT_NEAR(byAngle.clout, 0.5f, 1e-3);
}

TEST(TransonicChoice, ClockwiseContourReportsTheShocksByItsOwnSurfaces) {
    // AGARD AR-211's M 0.80 at 1.25 degrees: a shock on each surface, the upper one aft. Given
    // clockwise, the contour's first surface is the lower one.
    std::vector<float> x, y;
    NacaSection(0, 0.4, 0.12, 161, x, y, true);
    KaltoCall forward(x, y, 1, 0.8f, 1.25f);
    forward.Run();
    std::reverse(x.begin(), x.end());
    std::reverse(y.begin(), y.end());
    KaltoCall backward(x, y, 1, 0.8f, 1.25f);
    backward.Run();
    ASSERT_EQ(forward.Status(), KALTO_OK);
    ASSERT_EQ(backward.Status(), KALTO_OK);
    EXPECT_NEAR(forward.FirstShock(), 0.635f, 0.025f);
    EXPECT_NEAR(forward.SecondShock(), 0.355f, 0.025f);
    EXPECT_NEAR(backward.FirstShock(), forward.SecondShock(), 0.01f);
    EXPECT_NEAR(backward.SecondShock(), forward.FirstShock(), 0.01f);
}

TEST(TransonicChoice, HighLiftGivenAtHighMachSettlesWithItsShockNearTheTrailingEdge) {
    // NACA 2412 (trailing edge closed) at M 0.825 and CL 0.96, the sweep's hardest case by
    // lift: the angle may only follow the lift once the starting flow's transients have passed,
    // or the iteration runs off before the shock has formed.
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 161, x, y, true);
    KaltoCall call(x, y, 0, 0.825f, 0.96f);
    call.Run();
    ASSERT_EQ(call.Status(), KALTO_OK);
    EXPECT_TRUE(call.EulerAnswered());
    EXPECT_NEAR(call.clout, 0.96f, 1e-4f);
    EXPECT_NEAR(call.alphaout, 2.46f, 0.05f);
    EXPECT_GT(call.FirstShock(), 0.9f);
}

TEST(Determinism, TheSameInputsGiveTheSameBitsCaseAfterCaseAndCallAfterCall) {
    // Ten copies of the window's first case in one call, then the first alone: every output
    // bit for bit the same, every case the Euler answer. (A budget on the clock shared by the
    // cases would leave the later ones to the panel answer.)
    KaltoCall ten = KaltoCall::Naca(0, 0.12, 0, 0.7f, 0.5f);
    ten.ncase = 10;
    std::fill_n(ten.machin.begin(), 10, 0.7f);
    std::fill_n(ten.clain.begin(), 10, 0.5f);
    ten.Run();
    KaltoCall one = KaltoCall::Naca(0, 0.12, 0, 0.7f, 0.5f);
    one.Run();
    const auto same = [](const auto& a, const auto& b) {
        return std::memcmp(a.data(), b.data(), sizeof a) == 0;
    };
    EXPECT_TRUE(same(ten.xcp, one.xcp) && same(ten.ycp, one.ycp));
    EXPECT_EQ(std::memcmp(&ten.clout, &one.clout, sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(&ten.alphaout, &one.alphaout, sizeof(float)), 0);
    for (std::size_t k = 1; k <= 10; ++k) {
        EXPECT_EQ(ten.Status(k), KALTO_OK) << k;
        EXPECT_TRUE(ten.EulerAnswered(k)) << k;
        for (std::size_t c = 1; c <= 7; ++c) // the CASEOUT elements written
            EXPECT_EQ(ten.caseout[k - 1 + 10 * (c - 1)], one.caseout[10 * (c - 1)]) << k;
        for (int j = 1; j <= 129; ++j)
            ASSERT_EQ(ten.Cp(j, k), one.Cp(j)) << "case " << k << ", station " << j;
    }
}

} // namespace
} // namespace zarnfoil::solver::test
