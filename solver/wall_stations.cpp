// Linear interpolation in x along each surface, walked from the trailing edge to the point of
// smallest x; a station beyond a surface's ends (the base, or the leading edge between the
// wall points) takes the nearer end's value.
#include "solver/wall_stations.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zarnfoil::solver {

namespace {

double CpAt(double x, const std::vector<std::size_t>& walk, std::span<const Vec2> wall,
            std::span<const double> cp) {
    for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
        const Vec2 a = wall[walk[k]], b = wall[walk[k + 1]];
        if ((x - a.x) * (x - b.x) <= 0 && a.x != b.x) {
            const double share = (x - a.x) / (b.x - a.x);
            return cp[walk[k]] + share * (cp[walk[k + 1]] - cp[walk[k]]);
        }
    }
    const std::size_t end = std::abs(x - wall[walk.front()].x) < std::abs(x - wall[walk.back()].x)
                                ? walk.front()
                                : walk.back();
    return cp[end];
}

} // namespace

std::array<double, kStationCount> CpAlongWall(const Stations& stations, bool reversed,
                                              std::span<const Vec2> wall,
                                              std::span<const double> cp) {
    const std::size_t leadingEdge = static_cast<std::size_t>(
        std::min_element(wall.begin(), wall.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; }) -
        wall.begin());
    std::vector<std::size_t> first, second;
    for (std::size_t k = 0; k <= leadingEdge; ++k)
        first.push_back(k);
    for (std::size_t k = wall.size(); k-- > leadingEdge;)
        second.push_back(k);

    std::array<double, kStationCount> out{};
    for (std::size_t j = 0; j < out.size(); ++j) {
        const bool onFirst = (static_cast<int>(j) < kUpperStations) != reversed;
        out[j] = CpAt(stations[j].x, onFirst ? first : second, wall, cp);
    }
    return out;
}

} // namespace zarnfoil::solver
