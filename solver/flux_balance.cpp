// Each cell spans half way to the neighbouring nodes; the wall cell is half a cell high and
// has no flux through the wall.
#include "solver/flux_balance.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

void BalanceFluxes(const OGrid& grid, const std::vector<double>& phi, double cutJump,
                   const FaceDensities& density, std::span<const double> reference,
                   FluxBalance& out) {
    const int n = grid.around;
    const int rings = grid.rings;
    const std::size_t count = phi.size();
    out.residual.assign(count, 0.0);
    out.theta.assign(count, 0.0);
    out.eta.assign(count, 0.0);
    out.upwind.assign(count, 0.0);
    out.largestChange = 0;
    const auto eta = [&](int j) { return grid.eta[static_cast<std::size_t>(j)]; };

    // Coefficients: flux = coefficient * (phi beyond the face - phi before it).
    for (int j = 0; j + 1 < rings; ++j) {
        const double height = j == 0 ? 0.5 * (eta(1) - eta(0)) : 0.5 * (eta(j + 1) - eta(j - 1));
        for (int i = 0; i < n; ++i) {
            const std::size_t k = grid.At(i, j);
            out.theta[k] = density.theta[k] * height / grid.dTheta;
            out.eta[k] = density.eta[k] * grid.dTheta / (eta(j + 1) - eta(j));
        }
    }
    for (int j = 0; j + 1 < rings; ++j) {
        for (int i = 0; i < n; ++i) {
            const std::size_t k = grid.At(i, j);
            const int left = i > 0 ? i - 1 : n - 1;
            const std::size_t kLeft = grid.At(left, j);
            const double here = phi[k];
            const double right = i + 1 < n ? phi[grid.At(i + 1, j)] : phi[grid.At(0, j)] + cutJump;
            const double leftPhi = i > 0 ? phi[kLeft] : phi[kLeft] - cutJump;
            // net flux out through faces i+1/2, i-1/2, j+1/2, j-1/2 (none through the wall) = 0
            double r = out.theta[k] * (right - here) - out.theta[kLeft] * (here - leftPhi) +
                       out.eta[k] * (phi[grid.At(i, j + 1)] - here);
            double diagonal = out.theta[k] + out.theta[kLeft] + out.eta[k];
            if (j > 0) {
                const std::size_t kBelow = grid.At(i, j - 1);
                r -= out.eta[kBelow] * (here - phi[kBelow]);
                diagonal += out.eta[kBelow];
            }
            if (!reference.empty()) r -= reference[k];
            out.residual[k] = r;
            // The biased density turns the streamwise operator of a supersonic node into an
            // upstream difference of about (M^2 - 1) times the ring coefficient.
            out.upwind[k] = density.supersonic[k] * 0.5 * (out.theta[k] + out.theta[kLeft]);
            out.largestChange = std::max(out.largestChange, std::abs(r) / diagonal);
        }
    }
}

} // namespace zarnfoil::solver
