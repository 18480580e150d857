// Linear-vorticity stream-function formulation: the stream function takes one unknown value psi0
// at every node, the vorticity at the two trailing-edge nodes is equal and opposite (Kutta), and
// a blunt trailing edge is closed by a panel whose source and vorticity follow from the
// trailing-edge vorticity.
#include "solver/panel_system.h"

#include "solver/lu_solve.h"
#include "solver/panel_influence.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

namespace {

Vec2 Unit(Vec2 v) {
    return (1 / Length(v)) * v;
}

double ChordOf(const std::vector<Vec2>& nodes) {
    const Vec2 trailingEdge = 0.5 * (nodes.front() + nodes.back());
    double chord = 0;
    for (Vec2 p : nodes)
        chord = std::max(chord, Length(p - trailingEdge));
    return chord;
}

} // namespace

std::optional<BaseFlows> SolveBaseFlows(const std::vector<Vec2>& nodes) {
    const std::size_t n = nodes.size();
    const std::size_t size = n + 1; // vorticity at each node, then psi0
    std::vector<double> a(size * size, 0.0);
    const auto at = [&](std::size_t row, std::size_t col) -> double& {
        return a[row * size + col];
    };

    std::vector<Panel> panels;
    for (std::size_t j = 0; j + 1 < n; ++j)
        panels.push_back(PanelBetween(nodes[j], nodes[j + 1]));

    // rows 0..n-1: sum over panels of psi(gamma) at node i - psi0 = -(y_i cos a - x_i sin a)
    std::vector<EndDistance> toNode(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < n; ++k)
            toNode[k] = DistanceBetween(nodes[i], nodes[k]);
        for (std::size_t j = 0; j + 1 < n; ++j) {
            const VortexPsi psi = LinearVortexPsi(nodes[i], panels[j], toNode[j], toNode[j + 1]);
            at(i, j) += psi.start;
            at(i, j + 1) += psi.end;
        }
        at(i, n) = -1;
    }

    const Vec2 gapStart = nodes[n - 1];
    const Vec2 gapEnd = nodes[0];
    const bool sharp = Length(gapEnd - gapStart) < kSharpGap * ChordOf(nodes);
    if (sharp) {
        // row n-1: both trailing-edge nodes are one point, so its equation repeats row 0;
        // instead the mean vorticity extrapolates alike from both sides:
        // (g0 - 2 g1 + g2) - (g[n-3] - 2 g[n-2] + g[n-1]) = 0
        std::fill(&at(n - 1, 0), &at(n - 1, 0) + size, 0.0);
        at(n - 1, 0) += 1;
        at(n - 1, 1) -= 2;
        at(n - 1, 2) += 1;
        at(n - 1, n - 3) -= 1;
        at(n - 1, n - 2) += 2;
        at(n - 1, n - 1) -= 1;
    } else {
        // Trailing-edge panel from the lower to the upper trailing-edge node, carrying
        // source = 1/2 |s x t| (g0 - g[n-1]) and vorticity = -1/2 (s . t) (g0 - g[n-1]), with s
        // the bisector of the trailing-edge angle and t along the panel: the flow leaving both
        // surfaces carries on across the gap.
        const Vec2 bisector = Unit(Unit(nodes[0] - nodes[1]) + Unit(nodes[n - 1] - nodes[n - 2]));
        const Vec2 along = Unit(gapEnd - gapStart);
        const double sourceShare = 0.5 * std::abs(Cross(bisector, along));
        const double vortexShare = -0.5 * Dot(bisector, along);
        const Panel gap = PanelBetween(gapStart, gapEnd);
        for (std::size_t i = 0; i < n; ++i) {
            const VortexPsi vortex =
                LinearVortexPsi(nodes[i], gap, DistanceBetween(nodes[i], gapStart),
                                DistanceBetween(nodes[i], gapEnd));
            const double psi = vortexShare * (vortex.start + vortex.end) +
                               sourceShare * UniformSourcePsi(nodes[i], gap);
            at(i, 0) += psi;
            at(i, n - 1) -= psi;
        }
    }
    // row n (Kutta): g0 + g[n-1] = 0
    at(n, 0) = 1;
    at(n, n - 1) = 1;

    LuFactors lu;
    if (!lu.Factor(std::move(a), size)) return std::nullopt;

    // Right-hand sides -(y cos a - x sin a) for the free stream along x and along y; the rows
    // of the Kutta condition and the extrapolation stay 0.
    std::vector<double> along0(size, 0.0), along90(size, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        along0[i] = -nodes[i].y;
        along90[i] = nodes[i].x;
    }
    if (sharp) along0[n - 1] = along90[n - 1] = 0;
    lu.Solve(along0);
    lu.Solve(along90);
    along0.pop_back();
    along90.pop_back();
    return BaseFlows{std::move(along0), std::move(along90)};
}

} // namespace zarnfoil::solver
