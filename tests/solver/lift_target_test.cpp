// IMODE 0: the angle of attack found for a lift coefficient, the iteration cap, and a lift the
// section cannot give.
#include "kalto_call.h"
#include "naca_section.h"

#include <gtest/gtest.h>

namespace zarnfoil::solver::test {
namespace {

KaltoCall Naca2412(std::int32_t imode, float mach, float clain) {
    std::vector<float> x, y;
    NacaSection(0.02, 0.4, 0.12, 201, x, y);
    KaltoCall call;
    call.SetContour(x, y);
    call.imode = imode;
    call.machin[0] = mach;
    call.clain[0] = clain;
    return call;
}

TEST(LiftTarget, ReachesTheLiftAndItsAngleGivesItBack) {
    for (float mach : {0.0f, 0.5f, 0.7f}) {
        for (float target : {-0.2f, 0.0f, 0.5f, 0.9f}) {
            KaltoCall byLift = Naca2412(0, mach, target);
            byLift.Run();
            ASSERT_EQ(byLift.Status(), KALTO_OK) << "M " << mach << ", CL " << target;
            EXPECT_NEAR(byLift.clout, target, 1e-4);

            KaltoCall byAngle = Naca2412(1, mach, byLift.alphaout);
            byAngle.Run();
            EXPECT_NEAR(byAngle.clout, target, 1e-4);
            // A shock's place answers to the last digits of the angle: where the full-potential
            // solution answered, the stations beside it may differ a little more.
            const double tolerance = byLift.caseout[20] == 1 ? 0.01 : 1e-3;
            for (int j = 1; j <= 129; ++j)
                EXPECT_NEAR(byAngle.Cp(j), byLift.Cp(j), tolerance);
        }
    }
}

TEST(LiftTarget, ConvergesInAFewStepsWithTheAnalyticSlope) {
    // Newton steps with the true slope square the error each time; a wrong slope would not get
    // from 0 to 1e-6 in four loadings.
    KaltoCall call = Naca2412(0, 0.6f, 0.7f);
    call.itmax = 4;
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_OK);
    EXPECT_NEAR(call.clout, 0.7f, 1e-4);
}

TEST(LiftTarget, IterationCapReturnsTheClosestAnswerWithItsStatus) {
    KaltoCall call = Naca2412(0, 0.0f, 0.8f);
    call.itmax = 1; // a single loading: the one at zero angle
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_LIFT_NOT_REACHED);
    EXPECT_EQ(call.alphaout, 0.0f);
    KaltoCall zeroAngle = Naca2412(1, 0.0f, 0.0f);
    zeroAngle.Run();
    EXPECT_FLOAT_EQ(call.clout, zeroAngle.clout);
}

TEST(LiftTarget, OutOfReachGivesTheClosestLiftFoundAndSaysSo) {
    KaltoCall call = Naca2412(0, 0.0f, 40.0f); // far beyond the lift at 90 degrees
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_LIFT_NOT_REACHED);
    EXPECT_TRUE(call.OutputsFinite());
    EXPECT_LT(call.clout, 40.0f);
    EXPECT_GT(call.clout, 3.0f) << "the search should climb toward the largest lift";
    EXPECT_LE(call.alphaout, 90.0f);
}

TEST(LiftTarget, IterationCapOutsideItsRangeMeansThirty) {
    for (std::int32_t cap : {0, -3, 101}) {
        KaltoCall call = Naca2412(0, 0.3f, 0.6f);
        call.itmax = cap;
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_OK) << cap;
        EXPECT_NEAR(call.clout, 0.6f, 1e-4);
    }
}

} // namespace
} // namespace zarnfoil::solver::test
