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

// Sign of the turn from a to b to c: positive counter-clockwise, 0 when in line.
int Turn(Vec2 a, Vec2 b, Vec2 c) {
    const double cross = Cross(b - a, c - a);
    return (cross > 0) - (cross < 0);
}

// Whether segment ab meets segment cd, touching included.
bool Meet(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
    const int abc = Turn(a, b, c), abd = Turn(a, b, d), cda = Turn(c, d, a), cdb = Turn(c, d, b);
    if (abc * abd < 0 && cda * cdb < 0) return true;
    // In line with one end on the other segment.
    const auto within = [](Vec2 p, Vec2 q, Vec2 r) {
        return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) &&
               std::min(p.y, q.y) <= r.y && r.y <= std::max(p.y, q.y);
    };
    return (abc == 0 && within(a, b, c)) || (abd == 0 && within(a, b, d)) ||
           (cda == 0 && within(c, d, a)) || (cdb == 0 && within(c, d, b));
}

// Whether the closed polygon (the base from the last point back to the first included, unless
// both are one point within `tolerance`) crosses or touches itself anywhere but between
// neighbouring sides.
bool SelfIntersecting(const std::vector<Vec2>& p, double tolerance) {
    std::size_t n = p.size();
    // A sharp trailing edge: the last point is the first again (rounding may have crossed the
    // surfaces there by a hair).
    if (Length(p.front() - p.back()) <= tolerance) --n;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue; // neighbours across the base
            if (Meet(p[i], p[(i + 1) % n], p[j], p[(j + 1) % n])) return true;
        }
    return false;
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

    if (SelfIntersecting(contour.points, tolerance)) return std::nullopt;
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
