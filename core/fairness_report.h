// How fair a smoothing run left the section and how it got there: the end of the band
// iteration, the curvature reversals on each surface before and after smoothing, how much of
// their bands the points used, and a warning when the "2-nd der." end values look spurious.
// It tells the engineer whether to trust the smoothed contour.
#pragma once

#include "core/band_smooth.h"
#include "core/foil_state.h"

#include <string>
#include <vector>

namespace zarnfoil {

struct RunSplines;

// Points at which the curvature changes sign along one surface (the point after the change),
// of the contour as read and of the smoothed one.
struct CurvatureReversals {
    std::vector<int> input, smoothed;
};

struct FairnessReport {
    bool smoothed = false; // the run smoothed (SMOOTH = 1)
    SmoothingOutcome smoothing;
    CurvatureReversals lower, upper; // lower surface: points 1..ILE, upper: ILE..NP
    float largestBandUse = 0;        // largest |Y_SM - YP| / DP of a point with a band
    int largestBandUseAt = 0;        // its point, 0 when no point has a band
    std::vector<int> onBandEdge;     // points whose smoothed ordinate ends on a band edge
    // Empty, or why the "2-nd der." end values (from three points at each trailing edge) are
    // not to be trusted: far outside the d2Y/dT2 of the rest of the smoothed section.
    std::string endConditionWarning;
};

// Needs K and K_SM of the run's output phase.
FairnessReport AssessFairness(const FoilState& s, const RunSplines& splines);

// The report in one line, for a terminal or a status line.
std::string FairnessSummary(const FairnessReport& r, const FoilState& s);

// "converged", "stall resolved" or "iteration limit".
const char* EndingName(SmoothingEnding ending);

} // namespace zarnfoil
