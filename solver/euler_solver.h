// The transonic answer: the two-dimensional Euler equations for the section in free air,
// solved on the O-grid of the section map by finite volumes with multigrid. With the lift
// given, the angle of attack is adjusted as the flow settles.
#pragma once

#include "solver/section_map.h"
#include "solver/vec2.h"

#include <chrono>
#include <vector>

namespace zarnfoil::solver {

struct EulerCase {
    double mach = 0;        // 0 < mach < 1
    bool liftGiven = false; // true: reach clTarget by the angle; false: solve at alpha
    double alpha = 0;       // radians from the x axis
    double clTarget = 0;
    double chord = 1;  // reference length of the lift coefficient
    Vec2 quarterChord; // where the far field's vortex stands
};

// Cells round the section and across to the far boundary, rounded down to what the multigrid's
// levels can halve.
struct EulerGridSize {
    int around = 160;
    int across = 32;
    double outerRadius = 100; // in radii of the circle (about 27 chords)
    int levels = 4;           // grids of the multigrid, the finest included
};

struct EulerLimits {
    int cycleCap = 200; // multigrid cycles
    // Last safety net of a machine far slower than expected: the clock.
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

struct EulerAnswer {
    bool converged = false; // lift and residual settled (and the lift reached) within the cap
    bool timedOut = false;  // stopped by the deadline
    double alpha = 0;       // radians
    double cl = 0;          // from the pressure on the wall
    double largestMach = 0;
    int cycles = 0;
    std::vector<Vec2> wall; // middle of each wall face, counter-clockwise from the trailing edge
    std::vector<double> wallCp;                     // at those points
    std::vector<double> clHistory, residualHistory; // after each cycle
};

EulerAnswer SolveEuler(const SectionMap& map, const EulerCase& flow, const EulerGridSize& size,
                       const EulerLimits& limits);

} // namespace zarnfoil::solver
