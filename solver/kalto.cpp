// The KALTO entry: unpacks the argument block, solves the section once for all cases, picks
// for each case the panel answer or, where the flow turns supersonic, the Euler one, then
// writes every output finite and a status for each case, whatever came in.
#include "solver/kalto.h"

#include "solver/contour_input.h"
#include "solver/contour_spline.h"
#include "solver/euler_solver.h"
#include "solver/lift_target.h"
#include "solver/loading.h"
#include "solver/panel_nodes.h"
#include "solver/panel_system.h"
#include "solver/section_map.h"
#include "solver/shock_place.h"
#include "solver/sonic_cp.h"
#include "solver/stations.h"
#include "solver/trailing_edge_closure.h"
#include "solver/wall_stations.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>

namespace {

using namespace zarnfoil::solver;

constexpr int kPointCapacity = KALTO_MAX_POINTS;
constexpr int kCaseCapacity = KALTO_MAX_CASES; // rows of CPS, CASEOUT and ISTAT
constexpr int kDefaultIterationCap = 30;
constexpr int kLargestIterationCap = 100;
constexpr double kDegree = std::numbers::pi / 180;
// Multigrid cycles of one Euler solution: the slowest case of NACA 0012 and 2412 over M 0.70 to
// 0.85 and 0 to 3 degrees settles within 100, and 250 take under a second on the machine the
// library was sized on.
constexpr int kEulerCycleCap = 250;
// The clock's safety net for one Euler solution: twenty times what the cycle cap takes here,
// so that a sanitizer build on a loaded machine stays well clear of it.
constexpr auto kEulerSafetyNet = std::chrono::seconds(20);

// What the caller sees of a float: a double that overflows it is no answer either.
bool FitsFloat(double v) {
    return std::isfinite(static_cast<float>(v));
}

struct Section {
    PanelNodes nodes;
    BaseFlows base;
    Stations stations;
    bool reversed = false;
    std::vector<Vec2> closed; // the contour the Euler grid is built round
    // Fitted at the first case that needs it.
    std::optional<SectionMap> map;
    bool mapTried = false;
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
    return Section{std::move(*nodes),
                   std::move(*base),
                   stations,
                   contour->reversed,
                   CloseTrailingEdge(contour->points),
                   std::nullopt,
                   false};
}

struct CaseResult {
    std::array<double, kStationCount> cp{};
    double alphaDegrees = 0;
    double cl = 0;
    std::int32_t status = KALTO_OK;
    KaltoModel model = KALTO_MODEL_PANEL;
    int cycles = 0;
    double largestMach = 0;
    ShockPlaces shocks;
};

// Zero pressure; the angle or lift asked for is echoed so the caller's fields keep their values.
CaseResult BadInputCase(std::int32_t mode, float clain) {
    CaseResult result;
    result.status = KALTO_BAD_INPUT;
    if (std::isfinite(clain)) (mode == 1 ? result.alphaDegrees : result.cl) = clain;
    return result;
}

// The Euler answer for a case whose panel answer turns supersonic; nothing when the section
// cannot be mapped or the solution does not settle within the cap (`timedOut` says whether the
// clock stopped it).
std::optional<CaseResult> TransonicCase(Section& section, std::int32_t mode, float mach,
                                        float clain, bool& timedOut) {
    if (!section.mapTried) {
        section.map = SectionMap::Fit(section.closed);
        section.mapTried = true;
    }
    if (!section.map) return std::nullopt;
    const Vec2 leadingEdge = section.nodes.p[static_cast<std::size_t>(section.nodes.leadingEdge)];
    const Vec2 trailingEdge = 0.5 * (section.nodes.p.front() + section.nodes.p.back());
    EulerCase flow;
    flow.mach = mach;
    flow.liftGiven = mode == 0;
    flow.alpha = mode == 1 ? clain * kDegree : 0.0;
    flow.clTarget = clain;
    flow.chord = Length(trailingEdge - leadingEdge);
    flow.quarterChord = leadingEdge + 0.25 * (trailingEdge - leadingEdge);
    const EulerLimits limits{kEulerCycleCap, std::chrono::steady_clock::now() + kEulerSafetyNet};
    const EulerAnswer answer = SolveEuler(*section.map, flow, EulerGridSize{}, limits);
    timedOut = answer.timedOut;
    if (!answer.converged) return std::nullopt;
    CaseResult result;
    result.cp = CpAlongWall(section.stations, section.reversed, answer.wall, answer.wallCp);
    result.alphaDegrees = answer.alpha / kDegree;
    result.cl = answer.cl;
    result.model = KALTO_MODEL_EULER;
    result.cycles = answer.cycles;
    result.largestMach = answer.largestMach;
    result.shocks = FindShocks(answer.wall, answer.wallCp, SonicCp(mach), section.reversed);
    const bool finite = FitsFloat(result.cl) && FitsFloat(result.alphaDegrees) &&
                        std::all_of(result.cp.begin(), result.cp.end(), FitsFloat);
    if (!finite) return std::nullopt;
    return result;
}

CaseResult SolveCase(Section& section, std::int32_t mode, float mach, float clain,
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
    if (!finite) return BadInputCase(mode, clain);

    // Subsonic everywhere: the panel answer stands. Otherwise the Euler solution answers, and
    // the panel answer, marked as such, only when that fails.
    const double lowest = *std::min_element(loading.cp.begin(), loading.cp.end());
    const bool supercritical =
        !supersonic && mach > 0 && (!loading.inRange || lowest < SonicCp(mach));
    if (!supercritical) return result;
    bool timedOut = false;
    if (auto transonic = TransonicCase(section, mode, mach, clain, timedOut)) return *transonic;
    result.status = timedOut ? KALTO_TIME_LIMIT : KALTO_TRANSONIC_FALLBACK;
    return result;
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
