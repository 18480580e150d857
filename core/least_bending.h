// The contour of least bending energy within the bands: the interpolating cubic spline over T
// whose integral of y''(t)^2 (with the smoothing's end conditions) is smallest while every point
// stays inside YP(i) +- DP(i). The band smoothing's iteration approximates it; where that
// iteration stalls, this solution finishes the smoothing.
#pragma once

#include "core/band_smooth.h"
#include "core/foil_state.h"

namespace zarnfoil {

struct LeastBendingOutcome {
    bool solved = false; // false: no settled solution within the step cap, Y unchanged
    int steps = 0;       // constraint changes made on the way
};

// Points with a weight of at most 1e-6 keep their ordinate; points 1 and N must be among them.
// A dual active-set method (Goldfarb and Idnani): it starts from the spline through the pinned
// points and adds the point most outside its band, releasing on the way any point whose edge no
// longer holds the spline back, until every point is inside its band; each step keeps the
// result the least-energy contour for the edges it holds.
LeastBendingOutcome LeastBendingContour(int N, const PointArray& T, const PointArray& YP,
                                        const PointArray& DP, const SplineEnds& ends,
                                        PointArray& Y);

} // namespace zarnfoil
