// Band smoothing: a cubic spline over T that keeps every point within YP(i) +- DP(i).
#pragma once

#include "core/foil_state.h"

namespace zarnfoil {

struct SplineEnds {
    float BC1 = 0, BC2 = 0; // end values at T = -1 and T = +1
    int IBC = 0;            // 1: first derivatives, else second derivatives
};

// How the iteration may end besides a full step without new contact: at the iteration limit
// only (the plain method), or also as soon as an iteration repeats itself, which gives the
// same ordinates far sooner.
enum class SmoothingEnd { kAtRepeatOrLimit, kAtLimitOnly };

// Active-set iteration: points with weight 0 (at most 1e-6) are knots; free points move
// towards the knot spline by the largest common fraction that keeps all within their bands,
// points reaching an edge become knots, knots whose moment no longer presses against their
// edge are released. Returns the number of iterations made.
int BandSmooth(int N, const PointArray& T, const PointArray& YP, const PointArray& DP,
               PointArray& Y_SM, const SplineEnds& ends,
               SmoothingEnd end = SmoothingEnd::kAtRepeatOrLimit);

} // namespace zarnfoil
