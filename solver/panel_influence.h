// Stream function induced at a field point by one straight panel carrying linearly varying
// vorticity or a uniform source, per unit strength.
#pragma once

#include "solver/vec2.h"

namespace zarnfoil::solver {

// psi = start * gamma(start) + end * gamma(end) for vorticity varying linearly along the panel,
// psi = 1/(2 pi) * integral of gamma(s) ln r ds.
struct VortexPsi {
    double start = 0;
    double end = 0;
};

VortexPsi LinearVortexPsi(Vec2 field, Vec2 start, Vec2 end);

// psi = 1/(2 pi) * integral of theta ds for a unit source, theta measured from the panel's left
// normal so that the cut of the angle runs off the panel's right side (out of the section).
double UniformSourcePsi(Vec2 field, Vec2 start, Vec2 end);

} // namespace zarnfoil::solver
