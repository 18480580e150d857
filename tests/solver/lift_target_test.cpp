// IMODE 0: the angle of attack found for a lift coefficient, the iteration cap, and a lift the
// section cannot give.
#include "kalto_call.h"

#include <gtest/gtest.h>

namespace zarnfoil::solver::test {
namespace {

KaltoCall Naca2412(std::int32_t imode, float mach, float value) {
    return KaltoCall::Naca(0.02, 0.12, imode, mach, value, 201);
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
            const double tolerance = byLift.EulerAnswered() ? 0.01 : 1e-3;
            for (int j = 1; j <= 129; ++j)
                EXPECT_NEAR(byAngle.Cp(j), byLift.Cp(j), tolerance);
        }
    }
}

TEST(LiftTarget, ItmaxCapsTheSearchAndTheClosestAnswerComesBackMarked) {
    // Newton steps with the true slope square the error each time: four loadings get from zero
    // angle to the lift, where a wrong slope would not.
    KaltoCall four = Naca2412(0, 0.6f, 0.7f);
    four.itmax = 4;
    four.Run();
    EXPECT_EQ(four.Status(), KALTO_OK);
    EXPECT_NEAR(four.clout, 0.7f, 1e-4);

    KaltoCall one = Naca2412(0, 0.0f, 0.8f), zeroAngle = Naca2412(1, 0.0f, 0.0f);
    one.itmax = 1; // a single loading: the one at zero angle, returned as the closest
    one.Run();
    zeroAngle.Run();
    EXPECT_EQ(one.Status(), KALTO_LIFT_NOT_REACHED);
    EXPECT_EQ(one.alphaout, 0.0f);
    EXPECT_FLOAT_EQ(one.clout, zeroAngle.clout);

    KaltoCall unreachable = Naca2412(0, 0.0f, 40.0f); // far beyond the lift at 90 degrees
    unreachable.Run();
    EXPECT_EQ(unreachable.Status(), KALTO_LIFT_NOT_REACHED);
    EXPECT_TRUE(unreachable.OutputsFinite());
    EXPECT_GT(unreachable.clout, 3.0f) << "the search should climb toward the largest lift";
    EXPECT_LT(unreachable.clout, 40.0f);
    EXPECT_LE(unreachable.alphaout, 90.0f);

    // From zero angle, Newton's first step toward CL 2.5 would turn the angle by about 19
    // degrees; the search turns it by 10 at most, so two loadings end at 10 degrees.
    KaltoCall two = Naca2412(0, 0.0f, 2.5f);
    two.itmax = 2;
    two.Run();
    EXPECT_EQ(two.Status(), KALTO_LIFT_NOT_REACHED);
    EXPECT_FLOAT_EQ(two.alphaout, 10.0f);

    for (std::int32_t outside : {0, -3, 101}) { // these mean 30
        KaltoCall call = Naca2412(0, 0.3f, 0.6f);
        call.itmax = outside;
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_OK) << outside;
        EXPECT_NEAR(call.clout, 0.6f, 1e-4) << outside;
    }
}

} // namespace
} // namespace zarnfoil::solver::test
