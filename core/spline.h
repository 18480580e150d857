// Interpolating cubic spline by moments (second derivatives at the nodes), with first- or
// second-derivative end conditions. Used over the parameter T by the smoothing and the run.
#pragma once

#include "core/foil_state.h"

namespace zarnfoil {

inline constexpr int kFirstDerivativeEnds = 1; // KIND 1: y' given at both ends; else y''

// Moments M(1..N) of the spline through (XN(i), YN(i)), XN strictly increasing, N >= 2.
// YP1, YPN are the end values of the kind KIND; a STEP other than 0 replaces every interval.
void SplineMoments(float YP1, float YPN, double STEP, int N, const PointArray& XN,
                   const PointArray& YN, PointArray& M, int KIND);

// y, y' and y'' of the spline at x; outside XN(1)..XN(N) the end cubic is extrapolated.
void SplineEval(int N, const PointArray& XN, const PointArray& YN, const PointArray& M, float x,
                float& y, float& dy, float& d2y);

// The spline's value at abscissae taken in increasing order: each search for the interval
// starts where the previous one ended, and finds the interval SplineEval finds.
class SplineSweep {
  public:
    SplineSweep(int N, const PointArray& XN, const PointArray& YN, const PointArray& M)
        : n_(N), xn_(XN), yn_(YN), m_(M) {}
    float Value(float x);

  private:
    int n_, k_ = 1;
    const PointArray &xn_, &yn_, &m_;
};

} // namespace zarnfoil
