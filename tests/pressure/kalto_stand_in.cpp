// The stand-in library: KALTO with the solver's argument list. Besides returning its plan it
// adds 1 to argument 10, so a test can see the window pass back what the library left there.
#include "kalto_stand_in.h"

#include <algorithm>

using namespace zarnfoil::standin;

namespace {

StandIn standIn{};

} // namespace

STAND_IN_EXPORT StandIn* KaltoStandIn() {
    return &standIn;
}

STAND_IN_EXPORT void KALTO(std::int32_t* NCASE, std::int32_t* IMODE, std::int32_t*, float* MACHIN,
                           float* CLAIN, std::int32_t* arg6, std::int32_t* arg7, std::int32_t* arg8,
                           std::int32_t* NPT, float* arg10, float* XC, float* YC, std::int32_t*,
                           float* XCP, float* arg15, float* CPS, float* arg17, float* ALPHAOUT,
                           float* CLOUT, float* arg20, float* arg21, float* arg22,
                           std::int32_t* ISTAT) {
    StandIn& r = standIn;
    ++r.calls;
    r.ncase = *NCASE, r.imode = *IMODE, r.arg6 = *arg6, r.arg7 = *arg7, r.arg8 = *arg8;
    r.npt = *NPT, r.machin1 = MACHIN[0], r.clain1 = CLAIN[0], r.arg10 = (*arg10)++;
    const int n = std::clamp(*NPT, 0, 201);
    std::copy(XC, XC + n, r.xc);
    std::copy(YC, YC + n, r.yc);

    std::fill(arg15, arg15 + kStations, kUnread);
    std::fill(CPS, CPS + 10 * kStations, kUnread);
    std::fill(arg17, arg17 + 10 * kStations, kUnread);
    std::fill(arg22, arg22 + 10 * 100, kUnread);
    arg22[20] = r.model;
    arg22[50] = r.shockUpper;
    arg22[60] = r.shockLower;
    *arg20 = *arg21 = kUnread;
    std::fill(ISTAT, ISTAT + 10, 0);
    for (int j = 0; j < kStations; ++j) {
        XCP[j] = r.xcp[j];
        CPS[10 * j] = r.cp[j];
    }
    *ALPHAOUT = r.alphaout;
    *CLOUT = r.clout;
    ISTAT[0] = r.status;
}
