// Node pressures from the base flows, and lift from the pressure force on every panel, the
// trailing-edge gap included; the slope follows the same sums differentiated by alpha.
#include "solver/loading.h"

#include <cmath>

namespace zarnfoil::solver {

Loading LoadingAt(const PanelNodes& nodes, const BaseFlows& base, const KarmanTsien& correction,
                  double alpha) {
    const std::size_t n = nodes.p.size();
    const double c = std::cos(alpha);
    const double s = std::sin(alpha);

    Loading loading;
    loading.gamma.resize(n);
    loading.cp.resize(n);
    std::vector<double> cpRate(n); // d cp / d alpha
    for (std::size_t i = 0; i < n; ++i) {
        const double gamma = c * base.gamma0[i] + s * base.gamma90[i];
        const double gammaRate = -s * base.gamma0[i] + c * base.gamma90[i];
        const CorrectedCp cp = correction.Correct(1 - gamma * gamma);
        loading.gamma[i] = gamma;
        loading.cp[i] = cp.cp;
        cpRate[i] = cp.slope * (-2 * gamma * gammaRate);
        loading.inRange = loading.inRange && cp.inRange;
    }

    // Force coefficient -(closed integral of Cp n ds), n = (dy, -dx)/ds the outward normal of a
    // counter-clockwise contour; the panel Cp is the mean of its end nodes.
    double fx = 0, fy = 0, fxRate = 0, fyRate = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t next = (i + 1) % n;
        const Vec2 d = nodes.p[next] - nodes.p[i];
        const double cpMean = 0.5 * (loading.cp[i] + loading.cp[next]);
        const double cpMeanRate = 0.5 * (cpRate[i] + cpRate[next]);
        fx -= cpMean * d.y;
        fy += cpMean * d.x;
        fxRate -= cpMeanRate * d.y;
        fyRate += cpMeanRate * d.x;
    }
    const Vec2 trailingEdge = 0.5 * (nodes.p.front() + nodes.p.back());
    const double chord =
        Length(trailingEdge - nodes.p[static_cast<std::size_t>(nodes.leadingEdge)]);
    // Lift is the force across the free stream (cos a, sin a).
    loading.cl = (-fx * s + fy * c) / chord;
    loading.clSlope = (-fxRate * s + fyRate * c - fx * c - fy * s) / chord;
    return loading;
}

} // namespace zarnfoil::solver
