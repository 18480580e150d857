// The panel answer first: its lowest Cp tells whether the flow turns supersonic anywhere, and
// only then is the section mapped (once, at the first case that needs it) and the Euler
// solution computed.
#include "solver/case_answer.h"

#include "solver/contour_input.h"
#include "solver/contour_spline.h"
#include "solver/euler_solver.h"
#include "solver/lift_target.h"
#include "solver/loading.h"
#include "solver/sonic_cp.h"
#include "solver/trailing_edge_closure.h"
#include "solver/wall_stations.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// What the caller sees of a float: a double that overflows it is no answer either.
bool FitsFloat(double v) {
    return std::isfinite(static_cast<float>(v));
}

// The Euler answer for a case whose panel answer turns supersonic; nothing when the section
// cannot be mapped or the solution does not settle within the budget (`timedOut` says whether
// the clock stopped it).
std::optional<CaseResult> TransonicCase(Section& section, std::int32_t mode, float mach,
                                        float clain, const EulerBudget& budget, bool& timedOut) {
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
    const EulerLimits limits{budget.cycleCap, std::chrono::steady_clock::now() + budget.safetyNet};
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

} // namespace

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

CaseResult BadInputCase(std::int32_t mode, float clain) {
    CaseResult result;
    result.status = KALTO_BAD_INPUT;
    if (std::isfinite(clain)) (mode == 1 ? result.alphaDegrees : result.cl) = clain;
    return result;
}

CaseResult SolveCase(Section& section, std::int32_t mode, float mach, float clain, int iterationCap,
                     const EulerBudget& budget) {
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
    if (auto transonic = TransonicCase(section, mode, mach, clain, budget, timedOut))
        return *transonic;
    result.status = timedOut ? KALTO_TIME_LIMIT : KALTO_TRANSONIC_FALLBACK;
    return result;
}

} // namespace zarnfoil::solver
