// The KALTO entry: unpacks the argument block, solves the section once for all cases, then
// writes every output finite and a status for each case, whatever came in.
#include "solver/kalto.h"

#include "solver/contour_input.h"
#include "solver/contour_spline.h"
#include "solver/lift_target.h"
#include "solver/loading.h"
#include "solver/panel_nodes.h"
#include "solver/panel_system.h"
#include "solver/stations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>

namespace {

using namespace zarnfoil::solver;

constexpr int kPointCapacity = 201;
constexpr int kCaseCapacity = 10; // rows of CPS, CASEOUT and ISTAT
constexpr int kDefaultIterationCap = 30;
constexpr int kLargestIterationCap = 100;
constexpr double kDegree = std::numbers::pi / 180;

// What the caller sees of a float: a double that overflows it is no answer either.
bool FitsFloat(double v) {
    return std::isfinite(static_cast<float>(v));
}

struct Section {
    PanelNodes nodes;
    BaseFlows base;
    Stations stations;
};

std::optional<Section> SolveSection(std::span<const float> x, std::span<const float> y) {
    const auto contour = PrepareContour(x, y);
    if (!contour) return std::nullopt;
    const ContourSpline spline(contour->points);
    auto nodes = PlaceNodes(spline);
    if (!nodes) return std::nullopt;
    auto base = SolveBaseFlows(nodes->p);
    if (!base) return std::nullopt;
    const bool finite = std::all_of(base->gamma0.begin(), base->gamma0.end(), FitsFloat) &&
                        std::all_of(base->gamma90.begin(), base->gamma90.end(), FitsFloat);
    if (!finite) return std::nullopt;
    Stations stations = PlaceStations(*nodes, contour->reversed);
    if (!std::all_of(stations.begin(), stations.end(),
                     [](const Station& s) { return FitsFloat(s.x) && FitsFloat(s.y); }))
        return std::nullopt;
    return Section{std::move(*nodes), std::move(*base), stations};
}

struct CaseResult {
    std::array<double, kStationCount> cp{};
    double alphaDegrees = 0;
    double cl = 0;
    std::int32_t status = KALTO_OK;
};

// Zero pressure; the angle or lift asked for is echoed so the caller's fields keep their values.
CaseResult BadInputCase(std::int32_t mode, float clain) {
    CaseResult result;
    result.status = KALTO_BAD_INPUT;
    if (std::isfinite(clain)) (mode == 1 ? result.alphaDegrees : result.cl) = clain;
    return result;
}

CaseResult SolveCase(const Section& section, std::int32_t mode, float mach, float clain,
                     int iterationCap) {
    if (!std::isfinite(mach) || mach < 0 || !std::isfinite(clain)) return BadInputCase(mode, clain);
    // At or past Mach 1 the correction has no answer; the incompressible one is shown instead.
    const bool supersonic = mach >= 1;
    const KarmanTsien correction(supersonic ? 0.0 : double(mach));

    CaseResult result;
    Loading loading;
    bool reached = true;
    if (mode == 1) {
        result.alphaDegrees = clain;
        loading = LoadingAt(section.nodes, section.base, correction, clain * kDegree);
    } else {
        LiftSolution solution =
            AngleForLift(section.nodes, section.base, correction, clain, iterationCap);
        result.alphaDegrees = solution.alpha / kDegree;
        loading = std::move(solution.loading);
        reached = solution.reached;
    }
    result.cl = loading.cl;
    result.cp = CpAtStations(section.stations, loading.gamma, correction);
    result.status = supersonic || !loading.inRange ? KALTO_OUT_OF_RANGE
                    : !reached                     ? KALTO_LIFT_NOT_REACHED
                                                   : KALTO_OK;
    const bool finite = FitsFloat(result.cl) && FitsFloat(result.alphaDegrees) &&
                        std::all_of(result.cp.begin(), result.cp.end(), FitsFloat);
    return finite ? result : BadInputCase(mode, clain);
}

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
            ISTAT[k] = KALTO_OK;
            continue;
        }
        const CaseResult result = section && casesOk && modeOk
                                      ? SolveCase(*section, mode, MACHIN[k], CLAIN[k], iterationCap)
                                      : BadInputCase(mode, CLAIN[k]);
        for (int j = 0; j < kStationCount; ++j)
            CPS[k + kCaseCapacity * j] = static_cast<float>(result.cp[static_cast<std::size_t>(j)]);
        CASEOUT[k] = static_cast<float>(result.alphaDegrees);
        CASEOUT[k + kCaseCapacity] = static_cast<float>(result.cl);
        ISTAT[k] = result.status;
        if (k == 0) {
            *ALPHAOUT = static_cast<float>(result.alphaDegrees);
            *CLOUT = static_cast<float>(result.cl);
        }
    }
}
