// Checks and orders the caller's contour before it is splined.
#include "solver/contour_input.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

namespace {

// Twice the signed area enclosed by the closed polygon; positive when counter-clockwise.
double TwiceSignedArea(const std::vector<Vec2>& p) {
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        sum += Cross(p[i], p[(i + 1) % p.size()]);
    return sum;
}

double ExtentOf(const std::vector<Vec2>& p) {
    auto [minX, maxX] =
        std::minmax_element(p.begin(), p.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; });
    auto [minY, maxY] =
        std::minmax_element(p.begin(), p.end(), [](Vec2 a, Vec2 b) { return a.y < b.y; });
    return std::max(maxX->x - minX->x, maxY->y - minY->y);
}

} // namespace

std::optional<Contour> PrepareContour(std::span<const float> x, std::span<const float> y) {
    Contour contour;
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return std::nullopt;
        contour.points.push_back({x[i], y[i]});
    }
    if (contour.points.size() < 3) return std::nullopt;

    // A point repeated by its neighbour would give the spline a zero-length interval.
    const double tolerance = 1e-9 * ExtentOf(contour.points);
    std::vector<Vec2> distinct{contour.points.front()};
    for (std::size_t i = 1; i < contour.points.size(); ++i)
        if (Length(contour.points[i] - distinct.back()) > tolerance)
            distinct.push_back(contour.points[i]);
    if (distinct.size() < 3) return std::nullopt;
    contour.points = std::move(distinct);

    const double area = TwiceSignedArea(contour.points);
    if (!std::isfinite(area) ||
        std::abs(area) <= 1e-12 * ExtentOf(contour.points) * ExtentOf(contour.points))
        return std::nullopt;
    if (area < 0) {
        std::reverse(contour.points.begin(), contour.points.end());
        contour.reversed = true;
    }
    return contour;
}

} // namespace zarnfoil::solver
