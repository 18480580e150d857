// Each surface moves by t (base middle - its trailing-edge point), t the share of the way in x
// from the leading edge (the point of smallest x) to that trailing-edge point: nothing at the
// leading edge, half the base at the trailing edge.
#include "solver/trailing_edge_closure.h"

#include <algorithm>

namespace zarnfoil::solver {

std::vector<Vec2> CloseTrailingEdge(std::span<const Vec2> points) {
    std::vector<Vec2> closed(points.begin(), points.end());
    const std::size_t leadingEdge = static_cast<std::size_t>(
        std::min_element(points.begin(), points.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; }) -
        points.begin());
    const Vec2 middle = 0.5 * (points.front() + points.back());
    const double xLe = points[leadingEdge].x;
    const auto shear = [&](std::size_t from, std::size_t to, Vec2 end) {
        const Vec2 shift = middle - end;
        const double span = end.x - xLe;
        for (std::size_t k = from; k <= to; ++k) {
            const double t = span > 0 ? std::clamp((points[k].x - xLe) / span, 0.0, 1.0) : 0.0;
            closed[k] = points[k] + t * shift;
        }
    };
    shear(0, leadingEdge, points.front());
    shear(leadingEdge, points.size() - 1, points.back());
    closed.front() = middle;
    closed.back() = middle;
    return closed;
}

} // namespace zarnfoil::solver
