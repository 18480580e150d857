// Each surface is walked from the point of smallest x toward its trailing edge.
#include "solver/shock_place.h"

#include <algorithm>
#include <cstddef>

namespace zarnfoil::solver {

ShockPlaces FindShocks(std::span<const Vec2> wall, std::span<const double> cp, double sonicCp,
                       bool reversed) {
    const std::size_t leadingEdge = static_cast<std::size_t>(
        std::min_element(wall.begin(), wall.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; }) -
        wall.begin());
    const auto rearmost = [&](bool upper) {
        double place = -1;
        const std::size_t steps = upper ? leadingEdge : wall.size() - 1 - leadingEdge;
        for (std::size_t k = 0; k < steps; ++k) {
            const std::size_t at = upper ? leadingEdge - k : leadingEdge + k;
            const std::size_t next = upper ? at - 1 : at + 1;
            if (cp[at] < sonicCp && cp[next] >= sonicCp)
                place = wall[at].x +
                        (sonicCp - cp[at]) / (cp[next] - cp[at]) * (wall[next].x - wall[at].x);
        }
        return place;
    };
    const double upper = rearmost(true), lower = rearmost(false);
    return reversed ? ShockPlaces{lower, upper} : ShockPlaces{upper, lower};
}

} // namespace zarnfoil::solver
