// Face densities from the velocity at each face (for G the difference across it, and the mean
// of the differences beside it), then Holst's upwind bias: at a face the density moves toward
// the next face upstream by the bias of the node upstream.
#include "solver/artificial_density.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

Isentropic IsentropicAt(double speedSquared, double mach) {
    const double machSq = mach * mach;
    const double capped = kMachCap * kMachCap * (1 + 0.5 * (kGamma - 1) * machSq) /
                          (machSq * (1 + 0.5 * (kGamma - 1) * kMachCap * kMachCap));
    speedSquared = std::min(speedSquared, capped);
    // a^2 / a_inf^2 = 1 + (gamma-1)/2 M^2 (1 - q^2); density = (a^2/a_inf^2)^(1/(gamma-1)),
    // the power 2.5 taken as a square and a root. Held at the Mach cap, a^2 stays above 0.6.
    const double sound = 1 + 0.5 * (kGamma - 1) * machSq * (1 - speedSquared);
    return {sound * sound * std::sqrt(sound), speedSquared * machSq / sound};
}

double PressureCoefficient(double density, double speedSquared, double mach) {
    if (mach < 1e-3) return 1 - speedSquared;
    return 2 * (std::pow(density, kGamma) - 1) / (kGamma * mach * mach);
}

void BiasedDensities(const OGrid& grid, const std::vector<double>& reduced,
                     const CircleFlow& circle, double mach, double strength, FaceDensities& out) {
    const int n = grid.around;
    const int rings = grid.rings;
    const std::size_t count = reduced.size();
    out.theta.assign(count, 1.0);
    out.eta.assign(count, 1.0);
    out.bias.assign(count, 0.0);
    out.supersonic.assign(count, 0.0);
    out.largestMachSquared = 0;
    out.rawTheta.assign(count, 1.0);
    out.rawEta.assign(count, 1.0);
    out.acrossTheta.assign(count, 0.0);
    out.acrossEta.assign(count, 0.0);
    std::vector<double>& rawTheta = out.rawTheta;
    std::vector<double>& rawEta = out.rawEta;
    std::vector<double>& upTheta = out.acrossTheta;
    std::vector<double>& upEta = out.acrossEta;

    const double dTheta = grid.dTheta;
    const auto eta = [&](int j) { return grid.eta[static_cast<std::size_t>(j)]; };
    const auto g = [&](int i, int j) { return reduced[grid.At((i + n) % n, j)]; };
    // G's derivatives at a node: central; across the rings 0 at the wall (no flow through it).
    const auto gAlong = [&](int i, int j) { return (g(i + 1, j) - g(i - 1, j)) / (2 * dTheta); };
    const auto gAcross = [&](int i, int j) {
        if (j == 0 || j == rings - 1) return 0.0;
        return (g(i, j + 1) - g(i, j - 1)) / (eta(j + 1) - eta(j - 1));
    };

    for (int j = 0; j < rings; ++j) {
        for (int i = 0; i < n; ++i) {
            const std::size_t k = grid.At(i, j);
            const std::size_t ii = static_cast<std::size_t>(i), jj = static_cast<std::size_t>(j);
            // Node: the bias switch. The trailing edge, where the map's scale vanishes, is a
            // stagnation point of the section's own flow and is left unbiased.
            if ((i > 0 || j > 0) && j < rings - 1) {
                const double along =
                    circle.AlongRing(grid.coshEta[jj], grid.ray[ii]) + gAlong(i, j);
                const double across =
                    j == 0 ? 0.0
                           : circle.AcrossRings(grid.sinhEta[jj], grid.ray[ii]) + gAcross(i, j);
                const double h = grid.hNode[k];
                const Isentropic node =
                    IsentropicAt((along * along + across * across) / (h * h), mach);
                out.largestMachSquared = std::max(out.largestMachSquared, node.machSquared);
                if (node.machSquared > 1) {
                    out.bias[k] = std::min(1.0, strength * (1 - 1 / node.machSquared));
                    out.supersonic[k] = std::copysign(node.machSquared - 1, along);
                }
            }
            // Face (i+1/2, j).
            if (j < rings - 1) {
                const double along = circle.AlongRing(grid.coshEta[jj], grid.rayHalf[ii]) +
                                     (g(i + 1, j) - g(i, j)) / dTheta;
                const double across = j == 0
                                          ? 0.0
                                          : circle.AcrossRings(grid.sinhEta[jj], grid.rayHalf[ii]) +
                                                0.5 * (gAcross(i, j) + gAcross(i + 1, j));
                const double hf = grid.hTheta[k];
                rawTheta[k] =
                    IsentropicAt((along * along + across * across) / (hf * hf), mach).density;
                upTheta[k] = along;
            }
            // Face (i, j+1/2), half way between the rings.
            if (j + 1 < rings) {
                const double across = circle.AcrossRings(grid.sinhEtaHalf[jj], grid.ray[ii]) +
                                      (g(i, j + 1) - g(i, j)) / (eta(j + 1) - eta(j));
                const double along = circle.AlongRing(grid.coshEtaHalf[jj], grid.ray[ii]) +
                                     0.5 * (gAlong(i, j) + gAlong(i, j + 1));
                const double hf = grid.hEta[k];
                rawEta[k] =
                    IsentropicAt((along * along + across * across) / (hf * hf), mach).density;
                upEta[k] = across;
            }
        }
    }

    for (int j = 0; j < rings; ++j) {
        for (int i = 0; i < n; ++i) {
            const std::size_t k = grid.At(i, j);
            const int left = i > 0 ? i - 1 : n - 1;
            const int right = i + 1 < n ? i + 1 : 0;
            // Ring face (i+1/2): upstream node i (flow toward +theta) or i+1.
            if (upTheta[k] >= 0) {
                const double nu = out.bias[k];
                out.theta[k] = rawTheta[k] - nu * (rawTheta[k] - rawTheta[grid.At(left, j)]);
            } else {
                const double nu = out.bias[grid.At(right, j)];
                out.theta[k] = rawTheta[k] - nu * (rawTheta[k] - rawTheta[grid.At(right, j)]);
            }
            // Radial face (j+1/2): upstream node j (outward flow) or j+1.
            if (j + 1 < rings) {
                if (upEta[k] >= 0) {
                    const double nu = out.bias[k];
                    const double upstream = j > 0 ? rawEta[grid.At(i, j - 1)] : rawEta[k];
                    out.eta[k] = rawEta[k] - nu * (rawEta[k] - upstream);
                } else {
                    const double nu = out.bias[grid.At(i, j + 1)];
                    const double upstream = j + 2 < rings ? rawEta[grid.At(i, j + 1)] : rawEta[k];
                    out.eta[k] = rawEta[k] - nu * (rawEta[k] - upstream);
                }
            }
        }
    }
}

} // namespace zarnfoil::solver
