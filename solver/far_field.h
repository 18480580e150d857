// The far boundary of the Euler solver: the free stream with the compressible vortex of the
// section's circulation, taken into the grid by the Riemann invariants normal to the boundary,
// so that waves leave it without reflecting and the circulation does not have to be carried by
// the grid all the way out.
#pragma once

#include "solver/gas_state.h"
#include "solver/vec2.h"

namespace zarnfoil::solver {

struct FreeStream {
    double mach = 0;        // 0 < mach < 1
    double alpha = 0;       // radians from the x axis
    double circulation = 0; // positive for lift (clockwise); 0.5 M chord CL
    Vec2 vortex;            // where the vortex stands: the quarter chord
};

// The velocity far out at `at`: the free stream and the vortex, stretched across the stream as
// compressible flow stretches it.
Vec2 FarVelocity(const FreeStream& stream, Vec2 at);

// The state on the boundary face at `at` with unit outward normal `normal`, from the cell
// inside it: outgoing invariant and, where the flow leaves, entropy and tangential velocity
// from inside; the rest from the far velocity at free-stream entropy and total enthalpy.
Conserved FarFieldState(const FreeStream& stream, Vec2 at, Vec2 normal, const Conserved& inside);

} // namespace zarnfoil::solver
