// The contour the full-potential grid is built round: the section map needs one trailing-edge
// point, so a blunt trailing edge is closed by shearing each surface toward the middle of its
// base, in proportion to the distance from the leading edge.
#pragma once

#include "solver/vec2.h"

#include <span>
#include <vector>

namespace zarnfoil::solver {

// Counter-clockwise points from one trailing-edge point round to the other; the result ends
// where it starts, at the middle of the base. A sharp trailing edge is only joined.
std::vector<Vec2> CloseTrailingEdge(std::span<const Vec2> points);

} // namespace zarnfoil::solver
