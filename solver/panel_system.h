// The panel method's linear system for the surface vorticity at the nodes, and its two base
// solutions: free stream along x (0 degrees) and along y (90 degrees).
#pragma once

#include "solver/vec2.h"

#include <optional>
#include <vector>

namespace zarnfoil::solver {

// Surface vorticity at each node for a unit free stream; at an angle alpha the solution is
// cos(alpha) * gamma0 + sin(alpha) * gamma90, and |gamma| is the surface speed.
struct BaseFlows {
    std::vector<double> gamma0;
    std::vector<double> gamma90;
};

// A trailing-edge gap below this share of the chord is closed (sharp trailing edge).
inline constexpr double kSharpGap = 1e-4;

// Nothing when the system is singular (the nodes do not enclose a section).
std::optional<BaseFlows> SolveBaseFlows(const std::vector<Vec2>& nodes);

} // namespace zarnfoil::solver
