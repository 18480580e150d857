// Newton steps on the angle, each at most 10 degrees so that a poor slope cannot throw the angle
// far; the closest loading met is kept in case the target is out of reach.
#include "solver/lift_target.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

LiftSolution AngleForLift(const PanelNodes& nodes, const BaseFlows& base,
                          const KarmanTsien& correction, double clTarget, int iterationCap) {
    constexpr double tolerance = 1e-6;
    constexpr double maxStep = 10 * std::numbers::pi / 180;
    constexpr double maxAngle = 0.5 * std::numbers::pi;

    LiftSolution best;
    double bestMiss = INFINITY;
    double alpha = 0;
    for (int iteration = 0; iteration < iterationCap; ++iteration) {
        Loading loading = LoadingAt(nodes, base, correction, alpha);
        const double miss = clTarget - loading.cl;
        const double slope = loading.clSlope;
        if (iteration == 0 || std::abs(miss) < bestMiss) {
            bestMiss = std::abs(miss);
            best = {alpha, std::move(loading), false};
        }
        if (bestMiss <= tolerance) {
            best.reached = true;
            break;
        }
        // Past the lift maximum the slope is no guide: keep stepping toward the target's side.
        const double step = slope > 0 ? miss / slope : std::copysign(maxStep, miss);
        alpha = std::clamp(alpha + std::clamp(step, -maxStep, maxStep), -maxAngle, maxAngle);
    }
    return best;
}

} // namespace zarnfoil::solver
