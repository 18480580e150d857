// Ring spacing and the map taken at every node and face of the grid.
#include "solver/o_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

std::vector<double> RingEtas(int around, int rings, double outerRadius) {
    const int steps = rings - 1;
    const double span = std::log(outerRadius);
    // So many rings that even equal steps would be finer than the rays: equal steps.
    const double first = std::min(2 * std::numbers::pi / around, span / steps);
    // first * (g^steps - 1) / (g - 1) = span, solved for the growth g by halving.
    double low = 1, high = 2;
    for (int k = 0; k < 100; ++k) {
        const double g = 0.5 * (low + high);
        const double reach = first * (std::pow(g, steps) - 1) / (g - 1);
        (reach < span ? low : high) = g;
    }
    const double growth = 0.5 * (low + high);
    std::vector<double> eta{0};
    double step = first;
    for (int j = 1; j <= steps; ++j) {
        eta.push_back(eta.back() + step);
        step *= growth;
    }
    eta.back() = span;
    return eta;
}

OGrid BuildOGrid(const SectionMap& map, int around, const std::vector<double>& eta) {
    OGrid grid;
    grid.around = around;
    grid.rings = static_cast<int>(eta.size());
    grid.dTheta = 2 * std::numbers::pi / around;
    grid.eta = eta;
    grid.scale = map.Scale();
    grid.centre = map.Centre();
    const std::size_t count = static_cast<std::size_t>(around) * eta.size();
    grid.z.resize(count);
    grid.hNode.resize(count);
    grid.hTheta.resize(count);
    grid.hEta.resize(count);
    // H = |dz/dw| = |dz/dzeta| |zeta|.
    const auto scaleAt = [&](double e, double theta, Complex* z) {
        const Complex zeta = std::polar(std::exp(e), theta);
        const SectionMap::Image image = map.At(zeta);
        if (z) *z = image.z;
        return std::abs(image.slope) * std::abs(zeta);
    };
    for (int j = 0; j < grid.rings; ++j) {
        const double e = eta[static_cast<std::size_t>(j)];
        for (int i = 0; i < around; ++i) {
            const std::size_t k = grid.At(i, j);
            grid.hNode[k] = scaleAt(e, grid.Theta(i), &grid.z[k]);
            grid.hTheta[k] = scaleAt(e, grid.Theta(i) + 0.5 * grid.dTheta, nullptr);
            if (j + 1 < grid.rings)
                grid.hEta[k] = scaleAt(0.5 * (e + eta[static_cast<std::size_t>(j + 1)]),
                                       grid.Theta(i), nullptr);
        }
    }
    for (std::size_t j = 0; j < eta.size(); ++j) {
        const double half = j + 1 < eta.size() ? 0.5 * (eta[j] + eta[j + 1]) : eta[j];
        grid.coshEta.push_back(std::cosh(eta[j]));
        grid.sinhEta.push_back(std::sinh(eta[j]));
        grid.coshEtaHalf.push_back(std::cosh(half));
        grid.sinhEtaHalf.push_back(std::sinh(half));
    }
    for (int i = 0; i < around; ++i) {
        grid.ray.push_back(std::polar(1.0, grid.Theta(i)));
        grid.rayHalf.push_back(std::polar(1.0, grid.Theta(i) + 0.5 * grid.dTheta));
    }
    grid.wallFace.resize(static_cast<std::size_t>(around));
    for (int i = 0; i < around; ++i)
        scaleAt(0, grid.Theta(i) + 0.5 * grid.dTheta, &grid.wallFace[static_cast<std::size_t>(i)]);
    return grid;
}

} // namespace zarnfoil::solver
