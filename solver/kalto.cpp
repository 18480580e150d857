// The KALTO entry: unpacks the argument block, solves the section once for all cases, picks
// for each case the panel answer or, where the flow turns supersonic, the Euler one, then
// writes every output finite and a status for each case, whatever came in.
#include "solver/kalto.h"

#include "solver/case_answer.h"
#include "solver/stations.h"

#include <optional>
#include <span>

namespace {

using namespace zarnfoil::solver;

constexpr int kPointCapacity = KALTO_MAX_POINTS;
constexpr int kCaseCapacity = KALTO_MAX_CASES; // rows of CPS, CASEOUT and ISTAT
constexpr int kDefaultIterationCap = 30;
constexpr int kLargestIterationCap = 100;

} // namespace

extern "C" void KALTO(const std::int32_t* NCASE, const std::int32_t* IMODE, const std::int32_t*,
                      const float* MACHIN, const float* CLAIN, const std::int32_t* ITMAX,
                      const std::int32_t*, const std::int32_t*, const std::int32_t* NPT,
                      const float*, const float* XC, const float* YC, const std::int32_t*,
                      float* XCP, float* YCP, float* CPS, float*, float* ALPHAOUT, float* CLOUT,
                      float*, float*, float* CASEOUT, std::int32_t* ISTAT) {
    const bool casesOk = *NCASE >= 1 && *NCASE <= kCaseCapacity;
    const int cases = casesOk ? *NCASE : 1;
    const std::int32_t mode = *IMODE;
    const bool modeOk = mode == 0 || mode == 1;
    const int iterationCap =
        *ITMAX >= 1 && *ITMAX <= kLargestIterationCap ? *ITMAX : kDefaultIterationCap;

    const int npt = *NPT;
    std::optional<Section> section;
    if (npt >= 3 && npt <= kPointCapacity)
        section = SolveSection(std::span(XC, static_cast<std::size_t>(npt)),
                               std::span(YC, static_cast<std::size_t>(npt)));

    for (int j = 0; j < kStationCount; ++j) {
        const std::size_t at = static_cast<std::size_t>(j);
        XCP[j] = static_cast<float>(section ? section->stations[at].x : UnitChordStationX(j + 1));
        YCP[j] = static_cast<float>(section ? section->stations[at].y : 0.0);
    }
    for (int k = 0; k < kCaseCapacity; ++k) {
        if (k >= cases) {
            ISTAT[k] = casesOk ? KALTO_NOT_COMPUTED : KALTO_BAD_INPUT;
            continue;
        }
        const CaseResult result = section && casesOk && modeOk
                                      ? SolveCase(*section, mode, MACHIN[k], CLAIN[k], iterationCap)
                                      : BadInputCase(mode, CLAIN[k]);
        for (int j = 0; j < kStationCount; ++j)
            CPS[k + kCaseCapacity * j] = static_cast<float>(result.cp[static_cast<std::size_t>(j)]);
        CASEOUT[k] = static_cast<float>(result.alphaDegrees);
        CASEOUT[k + kCaseCapacity] = static_cast<float>(result.cl);
        CASEOUT[k + 2 * kCaseCapacity] = static_cast<float>(result.model);
        CASEOUT[k + 3 * kCaseCapacity] = static_cast<float>(result.cycles);
        CASEOUT[k + 4 * kCaseCapacity] = static_cast<float>(result.largestMach);
        CASEOUT[k + 5 * kCaseCapacity] = static_cast<float>(result.shocks.first);
        CASEOUT[k + 6 * kCaseCapacity] = static_cast<float>(result.shocks.second);
        ISTAT[k] = result.status;
        if (k == 0) {
            *ALPHAOUT = static_cast<float>(result.alphaDegrees);
            *CLOUT = static_cast<float>(result.cl);
        }
    }
}
