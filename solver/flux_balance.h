// The conservative potential equation on the O-grid: for each node's cell the net mass flux out
// through its four faces, which is zero in the converged flow. Its coefficients, the flux per
// unit difference of potential across each face, are what the relaxation works with.
#pragma once

#include "solver/artificial_density.h"
#include "solver/o_grid.h"

#include <span>
#include <vector>

namespace zarnfoil::solver {

struct FluxBalance {
    std::vector<double> residual; // net flux out of each cell, rings 0 .. rings-2
    std::vector<double> theta;    // coefficient of face (i+1/2, j)
    std::vector<double> eta;      // coefficient of face (i, j+1/2)
    std::vector<double> upwind;   // supersonic nodes: coefficient of the upstream
                                  // difference along the ring, signed as the flow
    double largestChange = 0;     // largest residual over its cell's diagonal
};

// `reference` (empty, or one value per node) is subtracted from each cell's net flux.
void BalanceFluxes(const OGrid& grid, const std::vector<double>& phi, double cutJump,
                   const FaceDensities& density, std::span<const double> reference,
                   FluxBalance& out);

} // namespace zarnfoil::solver
