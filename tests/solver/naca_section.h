// NACA four-digit sections from their published thickness and camber formulas, as KALTO takes
// a contour: from the trailing edge over the upper surface to the leading edge and back.
// Shared by the solver tests and the solver benchmark.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

namespace zarnfoil::solver::test {

// camber and thickness as shares of the chord, camberAt its place; `points` is odd, spaced by
// cosine in x. The open (blunt) trailing edge of the formula is kept unless `closed`.
inline void NacaSection(double camber, double camberAt, double thickness, int points,
                        std::vector<float>& x, std::vector<float>& y, bool closed = false) {
    const int perSurface = (points - 1) / 2;
    const double last = closed ? -0.1036 : -0.1015;
    const auto half = [&](double u) {
        return 5 * thickness *
               (0.2969 * std::sqrt(u) - 0.1260 * u - 0.3516 * u * u + 0.2843 * u * u * u +
                last * u * u * u * u);
    };
    const auto camberLine = [&](double u, double& yc, double& slope) {
        if (camber == 0) {
            yc = slope = 0;
        } else if (u < camberAt) {
            yc = camber / (camberAt * camberAt) * (2 * camberAt * u - u * u);
            slope = 2 * camber / (camberAt * camberAt) * (camberAt - u);
        } else {
            const double k = camber / ((1 - camberAt) * (1 - camberAt));
            yc = k * (1 - 2 * camberAt + 2 * camberAt * u - u * u);
            slope = 2 * k * (camberAt - u);
        }
    };
    x.clear();
    y.clear();
    for (int k = -perSurface; k <= perSurface; ++k) {
        const double u = 0.5 * (1 - std::cos(std::numbers::pi * std::abs(k) / perSurface));
        double yc = 0, slope = 0;
        camberLine(u, yc, slope);
        const double angle = std::atan(slope);
        const double side = k <= 0 ? 1 : -1; // upper surface first
        x.push_back(static_cast<float>(u - side * half(u) * std::sin(angle)));
        y.push_back(static_cast<float>(yc + side * half(u) * std::cos(angle)));
    }
}

} // namespace zarnfoil::solver::test
