// Input KALTO cannot use, or flow the method cannot describe: every output stays a finite
// number, nothing is written past a capacity (checked on each call), and the status says why.
#include "kalto_call.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <numbers>

namespace zarnfoil::solver::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

KaltoCall Naca0012(std::int32_t imode, float mach, float value) {
    return KaltoCall::Naca(0, 0.12, imode, mach, value);
}

TEST(BadInput, IsRefusedWithUnitChordStationsAndZeroCp) {
    const struct {
        const char* what;
        std::function<void(KaltoCall&)> spoil;
    } rows[] = {
        {"NPT 202, the last point past the capacity",
         [](KaltoCall& c) {
             c = KaltoCall::Naca(0, 0.12, c.imode, c.machin[0], c.clain[0], 201);
             c.npt = 202, c.xc[201] = c.xc[200], c.yc[201] = c.yc[200];
         }},
        {"NPT INT_MAX", [](KaltoCall& c) { c.npt = INT_MAX; }},
        {"NPT 2", [](KaltoCall& c) { c.npt = 2; }},
        {"NPT INT_MIN", [](KaltoCall& c) { c.npt = INT_MIN; }},
        {"XC NaN", [](KaltoCall& c) { c.xc[40] = kNaN; }},
        {"YC infinite", [](KaltoCall& c) { c.yc[160] = -kInf; }},
        {"all points equal",
         [](KaltoCall& c) {
             std::fill_n(c.xc.begin(), 161, 0.5f);
             std::fill_n(c.yc.begin(), 161, 0.5f);
         }},
        {"a plate out and back", [](KaltoCall& c) { std::fill_n(c.yc.begin(), 161, 0.0f); }},
        {"smallest x at the contour's end",
         [](KaltoCall& c) {
             c.npt = 3;
             c.xc[0] = 1, c.yc[0] = 0, c.xc[1] = 0.5f, c.yc[1] = 0.2f, c.xc[2] = 0, c.yc[2] = 0;
         }},
        {"the upper surface's rear half pulled below the lower surface",
         [](KaltoCall& c) {
             for (std::size_t k = 0; k < 30; ++k)
                 c.yc[k] = -0.1f;
         }},
        {"two neighbouring points swapped: a bow tie on the upper surface",
         [](KaltoCall& c) { std::swap(c.xc[40], c.xc[41]), std::swap(c.yc[40], c.yc[41]); }},
        {"a loop at the leading edge",
         [](KaltoCall& c) { std::swap(c.xc[78], c.xc[82]), std::swap(c.yc[78], c.yc[82]); }},
        {"IMODE 2", [](KaltoCall& c) { c.imode = 2; }},
        {"NCASE 0", [](KaltoCall& c) { c.ncase = 0; }},
        {"NCASE 11", [](KaltoCall& c) { c.ncase = 11; }},
        {"MACHIN NaN", [](KaltoCall& c) { c.machin[0] = kNaN; }},
        {"MACHIN infinite", [](KaltoCall& c) { c.machin[0] = kInf; }},
        {"MACHIN negative", [](KaltoCall& c) { c.machin[0] = -0.1f; }},
        {"CLAIN NaN", [](KaltoCall& c) { c.clain[0] = kNaN; }},
    };
    for (const std::int32_t imode : {1, 0}) {
        const float asked = imode == 1 ? 3.0f : 0.4f; // an angle or a lift
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << row.what << ", IMODE " << imode);
            KaltoCall call = Naca0012(imode, 0.5f, asked);
            row.spoil(call);
            call.Run();
            EXPECT_EQ(call.Status(), KALTO_BAD_INPUT);
            EXPECT_TRUE(call.OutputsFinite());
            EXPECT_FLOAT_EQ(call.X(1), 1.0f);
            EXPECT_FLOAT_EQ(call.X(65), 0.0f);
            EXPECT_NEAR(call.X(100), 0.5 * (1 - std::cos(std::numbers::pi * 35 / 64)), 1e-6);
            for (int j = 1; j <= 129; ++j)
                EXPECT_EQ(call.Cp(j), 0.0f) << j;
            // Rows past NCASE were not computed and never say otherwise; when NCASE itself is
            // out of range, none was.
            const bool casesOk = call.ncase >= 1 && call.ncase <= 10;
            for (int k = 2; k <= 10; ++k)
                EXPECT_EQ(call.Status(k), casesOk ? KALTO_NOT_COMPUTED : KALTO_BAD_INPUT) << k;
            if (call.imode == 2) continue; // neither an angle nor a lift asked for
            // What was asked for is echoed when it is finite; the other output is 0.
            EXPECT_EQ(imode == 1 ? call.alphaout : call.clout,
                      std::isfinite(call.clain[0]) ? asked : 0.0f);
            EXPECT_EQ(imode == 1 ? call.clout : call.alphaout, 0.0f);
        }
    }
}

TEST(BadInput, HugeCoordinatesGiveFiniteOutput) {
    KaltoCall call = Naca0012(1, 0.5f, 2.0f);
    for (std::size_t i = 0; i < 161; ++i)
        call.xc[i] *= 1e30f, call.yc[i] *= 1e30f;
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
        EXPECT_EQ(call.clout, incompressible.clout);
        for (int j = 1; j <= 129; ++j)
            EXPECT_EQ(call.Cp(j), incompressible.Cp(j));
    }
}

TEST(OutOfRange, LocalSpeedBeyondTheCorrectionHoldsVacuumPressure) {
    // At M 0.9 and 10 degrees the suction peak is far past the correction's limit, and no
    // full-potential solution converges either: the panel answer comes back, marked.
    const float mach = 0.9f;
    for (std::int32_t imode : {1, 0}) {
        KaltoCall call = Naca0012(imode, mach, imode == 1 ? 10.0f : 1.5f);
        call.Run();
        EXPECT_EQ(call.Status(), KALTO_TRANSONIC_FALLBACK) << imode;
        EXPECT_FALSE(call.EulerAnswered());
        EXPECT_TRUE(call.OutputsFinite());
        float lowest = 0;
        for (int j = 1; j <= 129; ++j)
            lowest = std::min(lowest, call.Cp(j));
        EXPECT_NEAR(lowest, -2 / (1.4f * mach * mach), 1e-4) << imode;
    }
}

} // namespace
} // namespace zarnfoil::solver::test
