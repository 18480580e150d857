// Leading-edge search and node spacing along the contour spline.
#include "solver/panel_nodes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

std::optional<double> LeadingEdgeArc(const ContourSpline& spline) {
    const auto knots = spline.Knots();
    std::size_t k = 0;
    for (std::size_t i = 1; i < knots.size(); ++i)
        if (spline.At(knots[i]).x < spline.At(knots[k]).x) k = i;
    if (k == 0 || k + 1 == knots.size()) return std::nullopt;

    // dx/ds changes sign at the leading edge; halve the bracket around the lowest knot.
    double before = knots[k - 1];
    double after = knots[k + 1];
    if (spline.Slope(before).x >= 0 || spline.Slope(after).x <= 0) return knots[k];
    for (int step = 0; step < 60; ++step) {
        const double mid = 0.5 * (before + after);
        (spline.Slope(mid).x < 0 ? before : after) = mid;
    }
    return 0.5 * (before + after);
}

namespace {

// Share of a surface's arc length from the leading edge (u = 0) to the trailing edge (u = 1).
// The cosine packs panels at both ends, where the pressure changes fastest and the Kutta
// condition acts; the small linear part keeps the end panels from shrinking so far that
// neighbours differ much in size.
double SurfaceSpacing(double u) {
    constexpr double linear = 0.05;
    return linear * u + (1 - linear) * 0.5 * (1 - std::cos(std::numbers::pi * u));
}

} // namespace

std::optional<PanelNodes> PlaceNodes(const ContourSpline& spline) {
    const auto leadingEdge = LeadingEdgeArc(spline);
    if (!leadingEdge) return std::nullopt;
    const double sLe = *leadingEdge;
    const double total = spline.TotalLength();

    const int upperPanels =
        std::clamp(static_cast<int>(std::nearbyint(kPanelCount * sLe / total)), 4, kPanelCount - 4);
    const int lowerPanels = kPanelCount - upperPanels;

    PanelNodes nodes;
    for (int i = 0; i < upperPanels; ++i)
        nodes.p.push_back(spline.At(sLe * (1 - SurfaceSpacing(1 - double(i) / upperPanels))));
    nodes.leadingEdge = upperPanels;
    nodes.p.push_back(spline.At(sLe));
    for (int i = 1; i <= lowerPanels; ++i)
        nodes.p.push_back(spline.At(sLe + (total - sLe) * SurfaceSpacing(double(i) / lowerPanels)));
    return nodes;
}

} // namespace zarnfoil::solver
