// Pressure on the section at one angle of attack: Cp at every node and the lift coefficient
// integrated from it round the contour, with its slope over the angle.
#pragma once

#include "solver/compressibility.h"
#include "solver/panel_nodes.h"
#include "solver/panel_system.h"

#include <vector>

namespace zarnfoil::solver {

struct Loading {
    std::vector<double> gamma; // surface vorticity at each node, its size the surface speed
    std::vector<double> cp;    // compressible Cp at each node
    double cl = 0;
    double clSlope = 0;  // d cl / d alpha, per radian
    bool inRange = true; // false: some node is past what the correction can take
};

// alpha in radians from the x axis; the chord runs from the leading-edge node to the middle of
// the trailing edge.
Loading LoadingAt(const PanelNodes& nodes, const BaseFlows& base, const KarmanTsien& correction,
                  double alpha);

} // namespace zarnfoil::solver
