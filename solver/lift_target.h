// The angle of attack at which the section gives a wanted lift coefficient.
#pragma once

#include "solver/loading.h"

namespace zarnfoil::solver {

struct LiftSolution {
    double alpha = 0; // radians
    Loading loading;
    bool reached = false; // false: the closest lift found within the cap is returned
};

// Newton iteration on the angle with the analytic lift slope, at most iterationCap loadings,
// the angle kept within +-90 degrees.
LiftSolution AngleForLift(const PanelNodes& nodes, const BaseFlows& base,
                          const KarmanTsien& correction, double clTarget, int iterationCap);

} // namespace zarnfoil::solver
