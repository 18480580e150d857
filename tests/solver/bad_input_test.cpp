// Input KALTO cannot use, or flow the method cannot describe: every output stays a finite
// number, nothing is written past a capacity (checked on each call), and the status says why.
#include "kalto_call.h"
#include "naca_section.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace zarnfoil::solver::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

KaltoCall Naca0012(std::int32_t imode, float mach, float clain) {
    std::vector<float> x, y;
    NacaSection(0, 0.4, 0.12, 161, x, y);
    KaltoCall call;
    call.SetContour(x, y);
    call.imode = imode;
    call.machin[0] = mach;
    call.clain[0] = clain;
    return call;
}

// A refused call: unit-chord stations with zero Cp, and the angle or lift asked for echoed.
void ExpectRefused(const KaltoCall& call, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(call.Status(), KALTO_BAD_INPUT);
    EXPECT_TRUE(call.OutputsFinite());
    constexpr double pi = std::numbers::pi;
    EXPECT_FLOAT_EQ(call.X(1), 1.0f);
    EXPECT_FLOAT_EQ(call.X(65), 0.0f);
    EXPECT_NEAR(call.X(100), 0.5 * (1 - std::cos(pi * 35 / 64)), 1e-6);
    for (int j = 1; j <= 129; ++j)
        EXPECT_EQ(call.Cp(j), 0.0f) << j;
}

TEST(BadInput, PointCountOutsideThreeTo201) {
    for (std::int32_t npt : {202, 401, INT_MAX, 2, 0, -1, INT_MIN}) {
        KaltoCall call = Naca0012(1, 0.5f, 3.0f);
        call.npt = npt;
        call.Run();
        ExpectRefused(call, "NPT");
        EXPECT_EQ(call.alphaout, 3.0f) << npt;
        EXPECT_EQ(call.clout, 0.0f) << npt;
    }
}

TEST(BadInput, NonFiniteCoordinates) {
    for (float bad : {kNaN, kInf, -kInf}) {
        KaltoCall byAngle = Naca0012(1, 0.3f, 2.0f);
        byAngle.xc[40] = bad;
        byAngle.Run();
        ExpectRefused(byAngle, "XC");
        KaltoCall byLift = Naca0012(0, 0.3f, 0.4f);
        byLift.yc[160] = bad;
        byLift.Run();
        ExpectRefused(byLift, "YC");
        EXPECT_EQ(byLift.clout, 0.4f);
        EXPECT_EQ(byLift.alphaout, 0.0f);
    }
}

TEST(BadInput, ContoursThatEncloseNoSection) {
    KaltoCall same = Naca0012(1, 0, 2);
    std::fill(same.xc.begin(), same.xc.begin() + 161, 0.5f);
    std::fill(same.yc.begin(), same.yc.begin() + 161, 0.5f);
    same.Run();
    ExpectRefused(same, "all points equal");

    KaltoCall flat = Naca0012(1, 0, 2); // a plate of no thickness, out and back
    for (int i = 0; i < 161; ++i)
        flat.yc[static_cast<std::size_t>(i)] = 0;
    flat.Run();
    ExpectRefused(flat, "no enclosed area");

    KaltoCall triangle = Naca0012(1, 0, 2); // the smallest x at the contour's end
    triangle.npt = 3;
    triangle.xc[0] = 1, triangle.yc[0] = 0;
    triangle.xc[1] = 0.5f, triangle.yc[1] = 0.2f;
    triangle.xc[2] = 0, triangle.yc[2] = 0;
    triangle.Run();
    ExpectRefused(triangle, "no leading edge between the ends");
}

TEST(BadInput, ArgumentsOutsideTheirValues) {
    KaltoCall mode = Naca0012(2, 0.3f, 1.0f);
    mode.Run();
    ExpectRefused(mode, "IMODE");

    for (std::int32_t ncase : {0, 11, -4}) {
        KaltoCall cases = Naca0012(1, 0.3f, 1.0f);
        cases.ncase = ncase;
        cases.Run();
        ExpectRefused(cases, "NCASE");
        for (int k = 2; k <= 10; ++k)
            EXPECT_EQ(cases.Status(k), KALTO_OK);
    }
    for (float mach : {kNaN, kInf, -0.1f}) {
        KaltoCall call = Naca0012(1, mach, 1.0f);
        call.Run();
        ExpectRefused(call, "MACHIN");
    }
    KaltoCall angle = Naca0012(1, 0.3f, kNaN);
    angle.Run();
    ExpectRefused(angle, "CLAIN");
    EXPECT_EQ(angle.alphaout, 0.0f);
}

TEST(BadInput, HugeCoordinatesGiveFiniteOutput) {
    KaltoCall call = Naca0012(1, 0.5f, 2.0f);
    for (int i = 0; i < 161; ++i) {
        call.xc[static_cast<std::size_t>(i)] *= 1e30f;
        call.yc[static_cast<std::size_t>(i)] *= 1e30f;
    }
    call.Run();
    EXPECT_TRUE(call.OutputsFinite());
}

TEST(OutOfRange, MachOneAndAboveGiveTheIncompressibleAnswer) {
    KaltoCall incompressible = Naca0012(1, 0.0f, 3.0f);
    incompressible.Run();
    ASSERT_EQ(incompressible.Status(), KALTO_OK);
    for (float mach : {1.0f, 1.5f, 1e30f}) {
        KaltoCall call = Naca0012(1, mach, 3.0f);
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_OUT_OF_RANGE) << mach;
        EXPECT_TRUE(call.OutputsFinite());
        EXPECT_EQ(call.clout, incompressible.clout);
        for (int j = 1; j <= 129; ++j)
            EXPECT_EQ(call.Cp(j), incompressible.Cp(j));
    }
}

TEST(OutOfRange, LocalSpeedBeyondTheCorrectionHoldsVacuumPressure) {
    // At M 0.9 and 10 degrees the suction peak is far past the correction's limit, and no
    // full-potential solution converges either: the panel answer comes back, marked.
    const float mach = 0.9f;
    const float vacuum = -2 / (1.4f * mach * mach);
    for (std::int32_t imode : {1, 0}) {
        KaltoCall call = Naca0012(imode, mach, imode == 1 ? 10.0f : 1.5f);
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_TRANSONIC_FALLBACK) << imode;
        EXPECT_EQ(call.caseout[20], 0.0f) << "answered by the panel method";
        EXPECT_TRUE(call.OutputsFinite());
        float lowest = 0;
        for (int j = 1; j <= 129; ++j)
            lowest = std::min(lowest, call.Cp(j));
        EXPECT_NEAR(lowest, vacuum, 1e-4) << imode;
    }
}

TEST(OutOfRange, MachZeroIsPlainIncompressibleFlow) {
    KaltoCall call = Naca0012(1, 0.0f, 12.0f); // a suction peak no compressible flow could have
    call.Run();
    EXPECT_EQ(call.Status(), KALTO_OK);
    EXPECT_LT(call.Cp(64), -4.0f);
}

} // namespace
} // namespace zarnfoil::solver::test
