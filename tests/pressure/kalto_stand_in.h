// The stand-in for the pressure solver library in the window tests: a library with the entry
// KALTO that returns the curve a test planned and records what the window passed.
#pragma once

#include <cmath>
#include <cstdint>

#if defined(_WIN32)
#define STAND_IN_EXPORT extern "C" __declspec(dllexport)
#else
#define STAND_IN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace zarnfoil::standin {

inline constexpr int kStations = 129;
// Written over every output element the window does not read, to the array's full size, so a
// test can see that the window's block holds all the library writes.
inline constexpr float kUnread = -7;

struct StandIn {
    // The plan: what the next call returns.
    float xcp[kStations], cp[kStations];
    float alphaout, clout;
    std::int32_t status;
    float model, shockUpper, shockLower; // CASEOUT(1, 3), (1, 6) and (1, 7)
    // The record of the calls: their count and what the last one was passed.
    int calls;
    std::int32_t ncase, imode, arg6, arg7, arg8, npt;
    float machin1, clain1, arg10;
    float xc[201], yc[201];
};

// A curve as the solver lays its stations (x falls to 0 at station 65 and rises again), with
// suction down to `cpmin` at the leading edge on the upper side.
inline void PlanSuction(StandIn& plan, float cpmin) {
    for (int j = 1; j <= kStations; ++j) {
        const double x = (1 + std::cos(3.14159265358979 * (j - 1) / 64)) / 2;
        plan.xcp[j - 1] = static_cast<float>(x);
        plan.cp[j - 1] =
            static_cast<float>(j <= 65 ? cpmin * std::pow(1 - x, 1.5) + 0.1 * x : 0.3 * (1 - x));
    }
}

// The stand-in's plan and record, resolved by name from the loaded library.
using StandInAccess = StandIn* (*)();
inline constexpr const char* kAccessName = "KaltoStandIn";

} // namespace zarnfoil::standin
