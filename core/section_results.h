// What the output phase of a run computes before it writes: derivatives and curvature at
// every point, thickness and camber on the new X-grid, and the exported contour.
#pragma once

#include "core/foil_state.h"
#include "core/smoothing_run.h"

namespace zarnfoil {

// dY/dT, d2Y/dT2, dY/dX, d2Y/dX2 of one contour at every point (X = T^2).
struct ContourDerivatives {
    PointArray DY1T, DY2T, DY1X, DY2X;
};

struct SectionResults {
    ContourDerivatives unsmoothed; // YP over T
    ContourDerivatives smoothed;   // Y_SM over T
};

// Fills K, K_SM, HTHICK, CAMBER, HTHICK_SM, CAMBER_SM, YU, YL, HTMAX, XHTMAX, XSING, YSING,
// TRAIL, SLOPT, XOUT, YOUT, NOUT and sets XNODES(NNODES) to 1. Needs NNODES >= 2 and
// 2*NNODES - 1 <= 401.
void ComputeSectionResults(FoilState& s, const RunSplines& splines, SectionResults& r);

} // namespace zarnfoil
