// The KALTO argument block as the program's window holds it, with guard cells past every
// array's capacity: each call checks that nothing was written past a capacity and that no
// input changed.
#pragma once

#include "naca_section.h"
#include "solver/kalto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

namespace zarnfoil::solver::test {

inline constexpr int kGuard = 8;
inline constexpr int kSentinel = -7777; // in the guard cells

struct KaltoCall {
    std::int32_t ncase = 1, imode = 1, arg3 = 0, itmax = 30, arg7 = 1, arg8 = 2, npt = 0;
    std::int32_t arg13 = 0;
    float arg10 = 0;
    std::array<float, 20 + kGuard> machin{}, clain{};
    std::array<float, 201 + kGuard> xc{}, yc{};
    std::array<float, 129 + kGuard> xcp{}, ycp{};
    std::array<float, 10 * 129 + kGuard> cps{}, arg17{};
    float alphaout = 0, clout = 0, arg20 = 0, arg21 = 0;
    std::array<float, 10 * 100 + kGuard> caseout{};
    std::array<std::int32_t, 10 + kGuard> istat{};

    // One case (IMODE, Mach number, angle or lift) on a contour of up to 201 points; more are
    // cut, NPT keeps the full count.
    KaltoCall(const std::vector<float>& x, const std::vector<float>& y, std::int32_t mode = 1,
              float mach = 0, float value = 0)
        : imode(mode), npt(static_cast<std::int32_t>(x.size())) {
        const auto guard = [](auto&... a) {
            (std::fill(a.end() - kGuard, a.end(), kSentinel), ...);
        };
        guard(machin, clain, xc, yc, xcp, ycp, cps, arg17, caseout, istat);
        std::copy_n(x.begin(), std::min<std::size_t>(x.size(), 201), xc.begin());
        std::copy_n(y.begin(), std::min<std::size_t>(y.size(), 201), yc.begin());
        machin[0] = mach;
        clain[0] = value;
    }

    // A NACA four-digit section with its camber at 40 % of the chord.
    static KaltoCall Naca(double camber, double thickness, std::int32_t mode, float mach,
                          float value, int points = 161) {
        std::vector<float> x, y;
        NacaSection(camber, 0.4, thickness, points, x, y);
        return KaltoCall(x, y, mode, mach, value);
    }

    void Run() {
        const KaltoCall before = *this;
        KALTO(&ncase, &imode, &arg3, machin.data(), clain.data(), &itmax, &arg7, &arg8, &npt,
              &arg10, xc.data(), yc.data(), &arg13, xcp.data(), ycp.data(), cps.data(),
              arg17.data(), &alphaout, &clout, &arg20, &arg21, caseout.data(), istat.data());
        const auto guarded = [](const auto&... a) {
            return (std::all_of(a.end() - kGuard, a.end(), [](auto v) { return v == kSentinel; }) &&
                    ...);
        };
        EXPECT_TRUE(guarded(xcp, ycp, cps, caseout, istat)) << "an output past its capacity";
        // Inputs and the arguments the library leaves alone keep their bits.
        const auto same = [](const auto& a, const auto& b) {
            return std::equal(a.begin(), a.end(), b.begin(),
                              [](auto u, auto v) { return u == v || (u != u && v != v); });
        };
        EXPECT_TRUE(same(machin, before.machin) && same(clain, before.clain) &&
                    same(xc, before.xc) && same(yc, before.yc) && same(arg17, before.arg17))
            << "an input array written";
        const auto scalars = [](const KaltoCall& c) {
            return std::tie(c.ncase, c.imode, c.arg3, c.itmax, c.arg7, c.arg8, c.npt, c.arg10,
                            c.arg13, c.arg20, c.arg21);
        };
        EXPECT_TRUE(scalars(*this) == scalars(before)) << "an input or unused argument written";
    }

    // Station j (1..129) and case k (1..10) as the arguments' descriptions count them.
    float Cp(std::size_t j, std::size_t k = 1) const { return cps[k - 1 + 10 * (j - 1)]; }
    float X(std::size_t j) const { return xcp[j - 1]; }
    std::int32_t Status(std::size_t k = 1) const { return istat[k - 1]; }
    // CASEOUT(k, 3) names the model that answered case k.
    bool EulerAnswered(std::size_t k = 1) const {
        return caseout[k - 1 + 20] == static_cast<float>(KALTO_MODEL_EULER);
    }
    // CASEOUT(k, 6) and (k, 7): the shock on the first and the second surface, -1 for none.
    float FirstShock(std::size_t k = 1) const { return caseout[k - 1 + 50]; }
    float SecondShock(std::size_t k = 1) const { return caseout[k - 1 + 60]; }
    // Every output the caller reads is a finite number.
    bool OutputsFinite() const {
        const auto finite = [](float v) { return std::isfinite(v); };
        return std::all_of(xcp.begin(), xcp.begin() + 129, finite) &&
               std::all_of(ycp.begin(), ycp.begin() + 129, finite) &&
               std::all_of(cps.begin(), cps.begin() + 10 * 129, finite) && finite(alphaout) &&
               finite(clout);
    }
};

} // namespace zarnfoil::solver::test
