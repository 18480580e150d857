// Where the shocks stand: on each surface, the place where the flow returns from supersonic to
// subsonic speed going from the leading edge to the trailing edge, the pressure rising through
// the sonic value.
#pragma once

#include "solver/vec2.h"

#include <span>

namespace zarnfoil::solver {

struct ShockPlaces {
    double first = -1;  // x on the caller's first surface (stations 1 to 65), -1 for none
    double second = -1; // x on the caller's second surface (stations 65 to 129)
};

// wall and cp run counter-clockwise from the trailing edge; `reversed` as for PlaceStations
// (the caller's contour ran clockwise, so its first surface is the second one here). The
// rearmost return to subsonic speed of each surface counts, interpolated to the sonic Cp.
ShockPlaces FindShocks(std::span<const Vec2> wall, std::span<const double> cp, double sonicCp,
                       bool reversed);

} // namespace zarnfoil::solver
