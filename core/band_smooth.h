// Band smoothing: a cubic spline over T that keeps every point within YP(i) +- DP(i).
#pragma once

#include "core/foil_state.h"

namespace zarnfoil {

struct SplineEnds {
    float BC1 = 0, BC2 = 0; // end values at T = -1 and T = +1
    int IBC = 0;            // 1: first derivatives, else second derivatives
};

// How the iteration may end besides a full step without new contact: at the iteration limit
// only (the plain method), or also as soon as it repeats itself, which gives the same ordinates
// far sooner, and then, where the repeat is a stall, with the contour of least bending energy.
enum class SmoothingEnd { kAtRepeatOrLimit, kAtLimitOnly };

// The vector lanes of the iteration's loops: the widest the processor has, or four. Every
// choice gives the same ordinates bit for bit.
enum class SmoothingLanes { kWidest, kFour };

enum class SmoothingEnding {
    kConverged,      // a full step without new contact, or a repeat with every point on the spline
    kStallResolved,  // the iteration repeated itself short of the spline; finished by least energy
    kIterationLimit, // 10 N iterations without an end; finished by least energy
};

struct SmoothingOutcome {
    int iterations = 0; // iterations of the active-set method
    SmoothingEnding ending = SmoothingEnding::kConverged;
    // Steps of the least-energy solution after a stall or at the limit; `finished` is false
    // when that solution did not settle either and the last iteration's ordinates stand.
    int finishingSteps = 0;
    bool finished = true;
};

// Active-set iteration: points with weight 0 (at most 1e-6) are knots; free points move
// towards the knot spline by the largest common fraction that keeps all within their bands,
// points reaching an edge become knots, knots whose moment no longer presses against their
// edge are released. Where it stalls (a released knot that the spline without it pushes
// straight back out of its band, pinned and released for ever) or reaches its limit, the
// result is the contour of least bending energy within the bands instead.
SmoothingOutcome BandSmooth(int N, const PointArray& T, const PointArray& YP, const PointArray& DP,
                            PointArray& Y_SM, const SplineEnds& ends,
                            SmoothingEnd end = SmoothingEnd::kAtRepeatOrLimit,
                            SmoothingLanes lanes = SmoothingLanes::kWidest);

} // namespace zarnfoil
