// The transonic answer: the conservative full-potential equation for the section in free air,
// solved on the O-grid of the section map with artificial density and AF2 relaxation. The
// Kutta condition sets the circulation; with the lift given, the angle follows instead.
#pragma once

#include "solver/section_map.h"
#include "solver/vec2.h"

#include <chrono>
#include <vector>

namespace zarnfoil::solver {

struct FullPotentialCase {
    double mach = 0;        // 0 < mach < 1
    bool liftGiven = false; // true: reach clTarget by the angle; false: solve at alpha
    double alpha = 0;       // radians from the x axis
    double clTarget = 0;
    double chord = 1; // reference length of the lift coefficient
};

// Nodes round the section are taken even and rings odd (one more when even), at least 16 and 9.
struct FullPotentialGrid {
    int around = 160;         // nodes round the section
    int rings = 33;           // odd, so that every other ring makes the coarse grid
    double outerRadius = 100; // far boundary, in radii of the circle (about 27 chords)
};

struct FullPotentialLimits {
    int iterationCap = 3000; // AF2 steps, both grids together
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

struct ConvergenceStep {
    int iteration = 0; // counted over both grids
    int around = 0;    // the grid's nodes round the section
    double change = 0; // largest residual over its cell's diagonal
    double cl = 0;
};

struct FullPotentialAnswer {
    bool converged = false; // settled, the lift reached, and no speed held at the Mach cap
    double alpha = 0;       // radians
    double cl = 0;          // from the pressure on the wall
    double circulation = 0; // positive for lift; without shocks CL = 2 circulation / chord
    double largestMach = 0;
    std::vector<Vec2> wall;     // section points half way between wall nodes, counter-clockwise
    std::vector<double> wallCp; // from the trailing edge
    std::vector<ConvergenceStep> history; // every step, the coarse grid's first
};

FullPotentialAnswer SolveFullPotential(const SectionMap& map, const FullPotentialCase& flow,
                                       const FullPotentialGrid& size,
                                       const FullPotentialLimits& limits);

} // namespace zarnfoil::solver
