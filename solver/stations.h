// The 129 pressure stations handed back to the caller: 65 from the trailing edge over the upper
// surface to the leading edge, 64 back over the lower surface, cosine-spaced in x, each tied to
// the panel it lies on.
#pragma once

#include "solver/compressibility.h"
#include "solver/kalto.h"
#include "solver/panel_nodes.h"

#include <array>
#include <cstddef>
#include <vector>

namespace zarnfoil::solver {

inline constexpr int kStationCount = KALTO_STATIONS;
inline constexpr int kUpperStations = 65; // the leading edge included

struct Station {
    double x = 0;
    double y = 0;
    std::size_t from = 0; // node at the panel's trailing-edge side
    std::size_t to = 0;   // node at its leading-edge side
    double weight = 0;    // share of node `to` in the interpolation
};

using Stations = std::array<Station, kStationCount>;

// Stations along the caller's contour order: when the caller's contour ran clockwise
// (reversed), its first surface is the lower one of the counter-clockwise nodes.
Stations PlaceStations(const PanelNodes& nodes, bool reversed);

// Cp at each station from the vorticity, which the method takes as linear along each panel.
std::array<double, kStationCount> CpAtStations(const Stations& stations,
                                               const std::vector<double>& nodeGamma,
                                               const KarmanTsien& correction);

// x of the stations on the unit chord, for answers that have no section to stand on.
double UnitChordStationX(int station);

} // namespace zarnfoil::solver
