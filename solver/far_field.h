// The far boundary of the O-grid: the potential there is the free stream and the vortex of
// the section's circulation, the vortex stretched across the stream as compressible flow
// stretches it (Prandtl-Glauert). The circle flow already carries the free stream and an
// incompressible vortex; what the boundary adds is the difference.
#pragma once

#include "solver/o_grid.h"

#include <span>

namespace zarnfoil::solver {

// Reduced potential on the grid's outer ring, one value per node. alpha in radians from the x
// axis; circulation positive for lift.
void FarFieldReducedPotential(const OGrid& grid, double circulation, double alpha, double mach,
                              std::span<double> outerRing);

} // namespace zarnfoil::solver
