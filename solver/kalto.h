// The pressure solver's one entry, KALTO: the inviscid flow round one section, returned as Cp
// at 129 stations. A panel solution with the Karman-Tsien compressibility correction answers
// while the flow stays subsonic; where it would reach the speed of sound somewhere, a solution
// of the Euler equations, which captures shocks, answers instead. Everything the caller passes
// and gets back is in this argument block; the library keeps no state between calls, and the
// answer depends on the inputs alone: iteration caps, not the clock, end every iteration. This
// header is the one home of the entry's type and its status codes, for the library and its
// callers alike.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#if defined(KALTO_BUILD)
#define KALTO_API __declspec(dllexport)
#else
#define KALTO_API __declspec(dllimport)
#endif
#else
#define KALTO_API __attribute__((visibility("default")))
#endif

// Sizes of the argument block: contour points (XC, YC), pressure stations (XCP, YCP and the
// second index of CPS), cases (the first index of CPS and CASEOUT, and ISTAT), and the second
// index of CASEOUT.
inline constexpr std::int32_t KALTO_MAX_POINTS = 201;
inline constexpr std::int32_t KALTO_STATIONS = 129;
inline constexpr std::int32_t KALTO_MAX_CASES = 10;
inline constexpr std::int32_t KALTO_CASE_VALUES = 100;

// Status codes written to ISTAT(k) for case k.
enum KaltoStatus : std::int32_t {
    KALTO_OK = 0,
    // Mach at or above 1 (the incompressible answer is returned), or a local speed past what the
    // Karman-Tsien correction can take (Cp of those points held at the vacuum value -2/(1.4 M^2)).
    KALTO_OUT_OF_RANGE = 1,
    // The lift coefficient asked for was not reached within the iteration cap; the closest
    // answer found is returned.
    KALTO_LIFT_NOT_REACHED = 2,
    // Bad input: NPT outside 3..201, NCASE outside 1..10 (then every row of ISTAT says so), IMODE
    // not 0 or 1, a non-finite or negative Mach number, a non-finite coordinate or CLAIN, or a
    // contour that encloses no section or crosses or touches itself. Stations lie cosine-spaced
    // on 0..1 with Cp 0; ALPHAOUT and CLOUT echo the angle or lift coefficient asked for when it
    // is finite, else 0.
    KALTO_BAD_INPUT = 3,
    // The panel solution's lowest Cp lies below the sonic Cp (or past the Karman-Tsien limit),
    // but the Euler solution did not settle within its cycle cap, or the section could not be
    // mapped for its grid. The panel answer is returned: it shows no shock and is not valid
    // where the flow is supersonic (and may hold some points at the vacuum Cp, as for
    // KALTO_OUT_OF_RANGE).
    KALTO_TRANSONIC_FALLBACK = 4,
    // As KALTO_TRANSONIC_FALLBACK, but the Euler solution was stopped by the clock: a safety
    // net for a machine many times slower than the caps were sized on, never reached there.
    // Only this status makes an answer depend on more than the inputs.
    KALTO_TIME_LIMIT = 5,
    // Not computed: the rows past NCASE.
    KALTO_NOT_COMPUTED = 6,
};

// Which model answered a case, in CASEOUT(k, 3).
enum KaltoModel : std::int32_t {
    KALTO_MODEL_PANEL = 0, // panel method with the Karman-Tsien correction
    KALTO_MODEL_EULER = 1, // Euler equations
};

// Every argument is passed by reference. Arrays are 1-based in the descriptions below; a 2-D
// array (1..10, 1..m) has its first index fastest: element (i, j) lies at (i-1) + 10*(j-1).
// Outputs are always finite, whatever the input. Inputs are never written.
//
//  1 NCASE    in   number of cases, 1..10; case k uses MACHIN(k) and CLAIN(k).
//  2 IMODE    in   0: CLAIN(k) is the lift coefficient to reach; 1: CLAIN(k) is the angle of
//                  attack in degrees from the x axis.
//  3 arg3     -    not read or written (any 4-byte object).
//  4 MACHIN   in   (1..20) free-stream Mach number of each case, 0 <= M < 1.
//  5 CLAIN    in   (1..20) lift coefficient or angle of attack of each case, see IMODE.
//  6 ITMAX    in   iteration cap of the panel method's lift-coefficient search; outside
//                  1..100 means 30. The Euler solver has a cap of its own.
//  7 arg7     -    not read or written.
//  8 arg8     -    not read or written.
//  9 NPT      in   number of contour points, 3..201.
// 10 arg10    -    not read or written.
// 11 XC       in   (1..201) x of the contour, running from the trailing edge over the upper
// 12 YC       in   (1..201) y      surface to the leading edge and back over the lower surface;
//                  normalised: leading edge at x = 0, trailing edge at x = 1.
// 13 arg13    -    not read or written.
// 14 XCP      out  (1..129) x of the stations: 65 from the trailing edge over the upper surface
//                  to the leading edge, 64 back over the lower surface, cosine-spaced in x.
// 15 YCP      out  (1..129) y of the stations on the section.
// 16 CPS      out  (1..10, 1..129) Cp of case k at station j in element (k, j).
// 17 arg17    -    not read or written.
// 18 ALPHAOUT out  angle of attack of case 1 in degrees.
// 19 CLOUT    out  lift coefficient of case 1.
// 20 arg20    -    not read or written.
// 21 arg21    -    not read or written.
// 22 CASEOUT  out  (1..10, 1..100) per case k: (k, 1) angle of attack in degrees, (k, 2) lift
//                  coefficient, (k, 3) the model that answered (KaltoModel), (k, 4) the Euler
//                  solution's multigrid cycles and (k, 5) the largest local Mach number in its
//                  flow (both 0 for a panel answer), (k, 6) and (k, 7) x of the shock on the
//                  first surface (stations 1 to 65) and on the second (stations 65 to 129): the
//                  rearmost place where the flow returns from supersonic to subsonic speed, -1
//                  where there is none (always for a panel answer). The other elements, and
//                  the rows of cases not computed, are not written.
// 23 ISTAT    out  (1..10) status of case k (KaltoStatus); KALTO_NOT_COMPUTED past NCASE.
using KaltoFunction = void(const std::int32_t* NCASE, const std::int32_t* IMODE,
                           const std::int32_t* arg3, const float* MACHIN, const float* CLAIN,
                           const std::int32_t* ITMAX, const std::int32_t* arg7,
                           const std::int32_t* arg8, const std::int32_t* NPT, const float* arg10,
                           const float* XC, const float* YC, const std::int32_t* arg13, float* XCP,
                           float* YCP, float* CPS, float* arg17, float* ALPHAOUT, float* CLOUT,
                           float* arg20, float* arg21, float* CASEOUT, std::int32_t* ISTAT);

extern "C" KALTO_API KaltoFunction KALTO;
