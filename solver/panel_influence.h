// Stream function induced at a field point by one straight panel carrying linearly varying
// vorticity or a uniform source, per unit strength.
#pragma once

#include "solver/vec2.h"

namespace zarnfoil::solver {

struct Panel {
    Vec2 start, end;
    Vec2 t; // unit vector from start to end
    double length = 0;
};

Panel PanelBetween(Vec2 start, Vec2 end);

// Distance from the field point to a panel end and its logarithm; the solver keeps one per
// pair of nodes, since every node ends two panels.
struct EndDistance {
    double r = 0;
    double logR = 0; // 0 when r is 0: every term it enters is then multiplied by 0
};

EndDistance DistanceBetween(Vec2 a, Vec2 b);

// psi = start * gamma(start) + end * gamma(end) for vorticity varying linearly along the panel,
// psi = 1/(2 pi) * integral of gamma(s) ln r ds.
struct VortexPsi {
    double start = 0;
    double end = 0;
};

VortexPsi LinearVortexPsi(Vec2 field, const Panel& panel, EndDistance toStart, EndDistance toEnd);

// psi = 1/(2 pi) * integral of theta ds for a unit source, theta measured from the panel's left
// normal so that the cut of the angle runs off the panel's right side (out of the section).
double UniformSourcePsi(Vec2 field, const Panel& panel);

} // namespace zarnfoil::solver
