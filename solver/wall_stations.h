// Cp at the 129 stations from the full-potential answer's wall points: each station takes the
// wall segment on its surface whose x range holds it.
#pragma once

#include "solver/stations.h"
#include "solver/vec2.h"

#include <array>
#include <span>

namespace zarnfoil::solver {

// wall and cp run counter-clockwise from the trailing edge; `reversed` as for PlaceStations
// (the caller's contour ran clockwise, so its first surface is the second one here).
std::array<double, kStationCount> CpAlongWall(const Stations& stations, bool reversed,
                                              std::span<const Vec2> wall,
                                              std::span<const double> cp);

} // namespace zarnfoil::solver
