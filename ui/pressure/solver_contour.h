// The section as the pressure solver takes it: the smoothed contour from the upper trailing
// edge over the leading edge to the lower one, at most kSolverPoints points. A section with
// more points is resampled along its smoothed spline, clustered at both trailing-edge points
// and the leading edge, those three points kept.
#pragma once

#include "core/array1.h"
#include "core/foil_state.h"
#include "ui/pressure/kalto_binding.h"

namespace zarnfoil::ui {

struct SolverContour {
    int npt = 0;
    Array1<float, kSolverPoints> XC, YC;
    bool resampled = false; // from NP points to kSolverPoints
};

// The contour of a smoothed section (NP >= 3); npt 0 when there is none.
SolverContour PrepareSolverContour(const FoilState& s);

} // namespace zarnfoil::ui
