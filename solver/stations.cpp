// Station placement: each surface is walked from its trailing edge to the leading edge, and a
// station takes the first panel whose x range holds it.
#include "solver/stations.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

// Share of the way from the leading edge to the trailing edge of station j (1-based).
double CosineShare(int station) {
    constexpr double pi = std::numbers::pi;
    const int last = kUpperStations - 1;
    if (station <= kUpperStations) return 0.5 * (1 + std::cos(pi * (station - 1) / last));
    return 0.5 * (1 - std::cos(pi * (station - kUpperStations) / last));
}

// Node indices of one surface from its trailing edge to the leading edge.
std::vector<std::size_t> SurfaceWalk(const PanelNodes& nodes, bool upper) {
    std::vector<std::size_t> walk;
    const std::size_t leadingEdge = static_cast<std::size_t>(nodes.leadingEdge);
    if (upper)
        for (std::size_t i = 0; i <= leadingEdge; ++i)
            walk.push_back(i);
    else
        for (std::size_t i = nodes.p.size(); i-- > leadingEdge;)
            walk.push_back(i);
    return walk;
}

Station StationAt(const PanelNodes& nodes, const std::vector<std::size_t>& walk, double x) {
    for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
        const Vec2 a = nodes.p[walk[k]];
        const Vec2 b = nodes.p[walk[k + 1]];
        if ((x - a.x) * (x - b.x) <= 0 && a.x != b.x) {
            const double weight = (x - a.x) / (b.x - a.x);
            return {x, a.y + weight * (b.y - a.y), walk[k], walk[k + 1], weight};
        }
    }
    // Only rounding puts a station beyond the surface: it takes the nearer end.
    const std::size_t end =
        std::abs(x - nodes.p[walk.front()].x) < std::abs(x - nodes.p[walk.back()].x) ? walk.front()
                                                                                     : walk.back();
    return {x, nodes.p[end].y, end, end, 0};
}

} // namespace

double UnitChordStationX(int station) {
    return CosineShare(station);
}

Stations PlaceStations(const PanelNodes& nodes, bool reversed) {
    const auto first = SurfaceWalk(nodes, !reversed);
    const auto second = SurfaceWalk(nodes, reversed);
    const double leadingEdgeX = nodes.p[static_cast<std::size_t>(nodes.leadingEdge)].x;
    Stations stations;
    for (int j = 1; j <= kStationCount; ++j) {
        const auto& walk = j <= kUpperStations ? first : second;
        const double trailingEdgeX = nodes.p[walk.front()].x;
        const double x = leadingEdgeX + (trailingEdgeX - leadingEdgeX) * CosineShare(j);
        stations[static_cast<std::size_t>(j - 1)] = StationAt(nodes, walk, x);
    }
    return stations;
}

std::array<double, kStationCount> CpAtStations(const Stations& stations,
                                               const std::vector<double>& nodeGamma,
                                               const KarmanTsien& correction) {
    std::array<double, kStationCount> cp{};
    for (std::size_t j = 0; j < stations.size(); ++j) {
        const Station& s = stations[j];
        const double gamma = (1 - s.weight) * nodeGamma[s.from] + s.weight * nodeGamma[s.to];
        cp[j] = correction.Correct(1 - gamma * gamma).cp;
    }
    return cp;
}

} // namespace zarnfoil::solver
