// phi = -circulation / (2 pi) * atan2(beta sin u, cos u), u the angle from the free-stream
// direction round the map's centre; the circle flow's vortex is -circulation / (2 pi) * u to
// the order kept here, its offset from the centre dying away as 1/r.
#include "solver/far_field.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

void FarFieldReducedPotential(const OGrid& grid, double circulation, double alpha, double mach,
                              std::span<double> outerRing) {
    const double beta = std::sqrt(std::max(1 - mach * mach, 0.0));
    const double turn = 2 * std::numbers::pi;
    const int j = grid.rings - 1;
    for (int i = 0; i < grid.around; ++i) {
        // Both vortices turn once round the boundary, so their difference is single-valued;
        // both atan2 lie in one quadrant, so it stays within +-pi/2 without unwrapping.
        const double u = std::arg(grid.z[grid.At(i, j)] - grid.centre) - alpha;
        const double stretch =
            std::atan2(beta * std::sin(u), std::cos(u)) - std::atan2(std::sin(u), std::cos(u));
        outerRing[static_cast<std::size_t>(i)] = -circulation / turn * stretch;
    }
}

} // namespace zarnfoil::solver
