// The KALTO argument block as the program's window holds it, with guard cells past every
// array's capacity: each call checks that nothing was written past a capacity and that no
// input changed.
#pragma once

#include "solver/kalto.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zarnfoil::solver::test {

inline constexpr int kGuard = 8;

// A debug or sanitizer build, where the solver runs tens of times slower.
#if defined(KALTO_TESTS_SLOW_BUILD)
inline constexpr bool kSlowBuild = true;
#else
inline constexpr bool kSlowBuild = false;
#endif

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

    KaltoCall();
    // Contour of up to 201 points (more are cut, NPT keeps the full count).
    void SetContour(const std::vector<float>& x, const std::vector<float>& y);
    // Calls KALTO and checks guards and inputs with gtest assertions.
    void Run();

    float Cp(int station, int caseNumber = 1) const {
        return cps[static_cast<std::size_t>(caseNumber - 1 + 10 * (station - 1))];
    }
    float X(int station) const { return xcp[static_cast<std::size_t>(station - 1)]; }
    std::int32_t Status(int caseNumber = 1) const {
        return istat[static_cast<std::size_t>(caseNumber - 1)];
    }
    // Every output the caller reads is a finite number.
    bool OutputsFinite() const;
};

} // namespace zarnfoil::solver::test
