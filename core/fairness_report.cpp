// The fairness report of a smoothing run.
#include "core/fairness_report.h"

#include "core/smoothing_run.h"
#include "core/text_format.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil {
namespace {

// The "2-nd der." end values are spurious when they exceed the section's own d2Y/dT2 away
// from the trailing edge (|T| <= 0.9, x <= 0.81) this many times over: a clean section's ends
// stay within about 8 times it, a noisy or rounded one's reach hundreds or thousands of times.
constexpr double kSpuriousEndFactor = 20;
constexpr float kInterior = 0.9f;

std::vector<int> SignChanges(const PointArray& K, int from, int to) {
    std::vector<int> at;
    int last = 0;
    for (int i = from; i <= to; ++i) {
        const int sign = (K(i) > 0) - (K(i) < 0);
        if (sign == 0) continue;
        if (last != 0 && sign != last) at.push_back(i);
        last = sign;
    }
    return at;
}

std::string EndConditionWarning(const FoilState& s, const RunSplines& splines) {
    if (s.IBC == 1) return {};
    double interior = 0;
    for (int i = 2; i <= s.NP - 1; ++i)
        if (std::fabs(s.T(i)) <= kInterior)
            interior = std::max(interior, std::fabs(static_cast<double>(splines.M_SM(i))));
    const double ends =
        std::max(std::fabs(static_cast<double>(s.BC1)), std::fabs(static_cast<double>(s.BC2)));
    if (!(ends > kSpuriousEndFactor * interior) || ends < 1) return {};
    return Sprintf("The \"2-nd der.\" end values d2Y/dT2 = %.6g (lower trailing edge) and %.6g "
                   "(upper) lie far outside the %.3g of the rest of the section; they come "
                   "from three points at each trailing edge. Try \"1-st der.\".",
                   static_cast<double>(s.BC1), static_cast<double>(s.BC2), interior);
}

std::string Where(const std::vector<int>& points, const FoilState& s) {
    constexpr std::size_t kShown = 3;
    if (points.empty() || points.size() > kShown) return {};
    std::string at = " (x";
    for (int i : points)
        at += Sprintf(" %.3f", static_cast<double>(s.XP(i)));
    return at + ")";
}

} // namespace

const char* EndingName(SmoothingEnding ending) {
    switch (ending) {
    case SmoothingEnding::kConverged:
        return "converged";
    case SmoothingEnding::kStallResolved:
        return "stall resolved";
    case SmoothingEnding::kIterationLimit:
        return "iteration limit";
    }
    return "converged";
}

FairnessReport AssessFairness(const FoilState& s, const RunSplines& splines) {
    FairnessReport r;
    r.smoothed = s.SMOOTH == 1;
    r.smoothing = splines.smoothing;
    r.lower = {SignChanges(s.K, 1, s.ILE), SignChanges(s.K_SM, 1, s.ILE)};
    r.upper = {SignChanges(s.K, s.ILE, s.NP), SignChanges(s.K_SM, s.ILE, s.NP)};
    for (int i = 1; i <= s.NP; ++i) {
        if (!(s.DP(i) > 0)) continue;
        const float deviation = std::fabs(s.Y_SM(i) - s.YP(i));
        const float use = deviation / s.DP(i);
        if (use > r.largestBandUse || r.largestBandUseAt == 0) {
            r.largestBandUse = use;
            r.largestBandUseAt = i;
        }
        // the iteration pins a point within its tolerance of 1e-8 of the edge
        if (deviation >= s.DP(i) - 1e-7f && s.DP(i) > 1e-6f) r.onBandEdge.push_back(i);
    }
    r.endConditionWarning = EndConditionWarning(s, splines);
    return r;
}

std::string FairnessSummary(const FairnessReport& r, const FoilState& s) {
    std::string line;
    if (!r.smoothed)
        line = "not smoothed";
    else {
        line = Sprintf("smoothing %s after %d iterations", EndingName(r.smoothing.ending),
                       r.smoothing.iterations);
        if (r.smoothing.ending != SmoothingEnding::kConverged)
            line += r.smoothing.finished
                        ? Sprintf(" (least bending energy, %d steps)", r.smoothing.finishingSteps)
                        : std::string(" (not finished: the last iteration stands)");
    }
    line +=
        Sprintf("; curvature reversals lower %zu -> %zu%s, upper %zu -> %zu%s",
                r.lower.input.size(), r.lower.smoothed.size(), Where(r.lower.smoothed, s).c_str(),
                r.upper.input.size(), r.upper.smoothed.size(), Where(r.upper.smoothed, s).c_str());
    if (r.largestBandUseAt != 0)
        line += Sprintf("; largest band use %.0f %% (point %d), %zu points on a band edge",
                        100.0 * static_cast<double>(r.largestBandUse), r.largestBandUseAt,
                        r.onBandEdge.size());
    if (!r.endConditionWarning.empty()) line += "; warning: " + r.endConditionWarning;
    return line;
}

} // namespace zarnfoil
