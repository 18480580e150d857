// The smoothed contour resampled to any number of points: the run's spline of Y_SM over T,
// evaluated at parameters clustered towards both trailing-edge points and the leading edge.
// For solvers and exports that take fewer (or more) points than the section holds.
#pragma once

#include "core/foil_state.h"

#include <vector>

namespace zarnfoil {

// Points in the section's own order, by increasing t: the lower trailing edge (t = -1), the
// leading edge (t = 0), the upper trailing edge (t = +1); x = t * t in the normalised frame.
struct ResampledContour {
    std::vector<float> t, x, y;
    int leadingEdge = 0; // 1-based index of the leading-edge point
};

// The parameters of n >= 3 points: -1, 0 and +1 among them, (n - 1) / 2 intervals on the lower
// side and the rest on the upper side, each side spaced densest at its two ends.
std::vector<double> ResampleParameters(int n);

// The smoothed contour of the last run at n points. Both trailing-edge points and the
// leading-edge point are the run's own; the points between lie on its spline of Y_SM over T
// (moments from T, Y_SM, BC1, BC2 and IBC). Empty when n < 3 or the state holds no smoothed
// section (fewer than 3 points, no interior leading edge at t = 0).
ResampledContour ResampleContour(const FoilState& s, int n);

} // namespace zarnfoil
