// One approximate-factorisation (AF2) step for the flux balance, after Holst: the operator is
// split into a first factor that sweeps each ray from the far boundary in to the wall and a
// second that solves each ring (periodic tridiagonal) while marching out from the wall.
#pragma once

#include "solver/flux_balance.h"
#include "solver/o_grid.h"

#include <vector>

namespace zarnfoil::solver {

// Storage the steps share: the ring system and its solve.
struct Af2Work {
    std::vector<double> local, lower, diag, upper, rhs, u, c;
};

// Correction of the potential at rings 0 .. rings-2 (the far ring is held). `alpha` is the
// factorisation parameter relative to the free-stream coefficient between rings, `omega` the
// over-relaxation, `upstream` the weight of the upstream difference at supersonic nodes.
void Af2Correction(const OGrid& grid, const FluxBalance& balance, double alpha, double omega,
                   double upstream, Af2Work& work, std::vector<double>& correction);

} // namespace zarnfoil::solver
