// How KALTO picks its answer: the panel method while the flow stays subsonic, the
// full-potential solution where it turns supersonic, and the panel answer marked with its own
// status when that does not converge.
#include "kalto_call.h"
#include "solver/compressibility.h"

#include <gtest/gtest.h>

namespace zarnfoil::solver::test {
namespace {

TEST(TransonicChoice, SubsonicFlowKeepsThePanelAnswer) {
    KaltoCall call = KaltoCall::Naca(0, 0.12, 1, 0.5f, 1.25f);
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_OK);
    EXPECT_FALSE(call.FullPotentialAnswered());
    EXPECT_EQ(call.caseout[30], 0.0f);
    EXPECT_EQ(call.caseout[40], 0.0f);
    for (int j = 1; j <= 129; ++j)
        EXPECT_GT(call.Cp(j), SonicCp(0.5)) << j;
}

TEST(TransonicChoice, WindowFirstCaseIsTheFullPotentialSolutionWithItsShock) {
    // NACA 0012 at M 0.70 and CL 0.5, the case the window computes first.
    KaltoCall call = KaltoCall::Naca(0, 0.12, 0, 0.7f, 0.5f);
    call.Run();
    ASSERT_EQ(call.Status(), KALTO_OK);
    EXPECT_TRUE(call.FullPotentialAnswered());
    EXPECT_TRUE(call.OutputsFinite());
    EXPECT_NEAR(call.clout, 0.5f, 1e-4);
    EXPECT_EQ(call.caseout[10], call.clout);
    EXPECT_EQ(call.caseout[0], call.alphaout);
    EXPECT_GT(call.caseout[30], 0.0f) << "relaxation steps";
    EXPECT_GT(call.caseout[40], 1.0f) << "largest local Mach number";

    // Stations where Cp rises through the sonic value going aft on the upper surface.
    std::vector<int> upper;
    for (int j = 64; j >= 1; --j)
        if (call.Cp(j + 1) < SonicCp(0.7) && call.Cp(j) >= SonicCp(0.7)) upper.push_back(j);
    ASSERT_EQ(upper.size(), 1u) << "one shock on the upper surface";
    const int shock = upper[0];
    EXPECT_GT(call.X(shock), 0.2f);
    EXPECT_LT(call.X(shock), 0.5f);
    // A shock, not a gentle recompression: Cp climbs steeply across a few stations.
    EXPECT_GT(call.Cp(shock - 1) - call.Cp(shock + 2), 0.4f);
    for (int j = 66; j <= 129; ++j)
        EXPECT_GT(call.Cp(j), SonicCp(0.7)) << "lower surface subsonic, station " << j;

    KaltoCall byAngle = KaltoCall::Naca(0, 0.12, 1, 0.7f, call.alphaout);
    byAngle.Run();
    ASSERT_EQ(byAngle.Status(), KALTO_OK);
    EXPECT_TRUE(byAngle.FullPotentialAnswered());
    EXPECT_NEAR(byAngle.clout, 0.5f, 1e-3);
}

TEST(TransonicChoice, WithoutAFullPotentialAnswerThePanelAnswerComesBackMarked) {
    // NACA 0012 at M 0.80 and 1.25 degrees (Euler: CL 0.363): past about 0.70 degrees the full
    // potential has no solution with the upper shock ahead of the trailing edge, and its
    // iteration runs the shock aft until the caps stop it. NACA 2412 at M 0.75 and 2 degrees:
    // it settles with the upper surface supersonic to the trailing edge and CL 1.6, a flow
    // that would separate at once.
    const struct {
        double camber;
        float mach, alpha;
    } flows[] = {{0, 0.8f, 1.25f}, {0.02, 0.75f, 2.0f}};
    for (const auto& flow : flows) {
        KaltoCall call = KaltoCall::Naca(flow.camber, 0.12, 1, flow.mach, flow.alpha);
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_TRANSONIC_FALLBACK) << "M " << flow.mach;
        EXPECT_FALSE(call.FullPotentialAnswered());
        EXPECT_TRUE(call.OutputsFinite());
        EXPECT_LT(call.clout, 1.0f) << "the panel answer";
    }
}

} // namespace
} // namespace zarnfoil::solver::test
