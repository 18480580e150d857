// The flow state of one cell of the Euler solver: density, momentum and total energy per unit
// volume, for air (ratio of specific heats 1.4), scaled by the free stream: density 1, speed of
// sound 1, so pressure 1/1.4 and speed equal to the Mach number far away.
#pragma once

#include "solver/vec2.h"

namespace zarnfoil::solver {

inline constexpr double kGamma = 1.4; // ratio of specific heats of air

struct Conserved {
    double r = 0;  // density
    double mu = 0; // x momentum
    double mv = 0; // y momentum
    double e = 0;  // total energy
};

inline Conserved operator+(Conserved a, Conserved b) {
    return {a.r + b.r, a.mu + b.mu, a.mv + b.mv, a.e + b.e};
}
inline Conserved operator-(Conserved a, Conserved b) {
    return {a.r - b.r, a.mu - b.mu, a.mv - b.mv, a.e - b.e};
}
inline Conserved operator*(double k, Conserved a) {
    return {k * a.r, k * a.mu, k * a.mv, k * a.e};
}
inline Conserved& operator+=(Conserved& a, Conserved b) {
    return a = a + b;
}
inline Conserved& operator-=(Conserved& a, Conserved b) {
    return a = a - b;
}

inline double PressureOf(const Conserved& w) {
    return (kGamma - 1) * (w.e - 0.5 * (w.mu * w.mu + w.mv * w.mv) / w.r);
}

// The state of density `r`, velocity `u` and pressure `p`.
inline Conserved StateOf(double r, Vec2 u, double p) {
    return {r, r * u.x, r * u.y, p / (kGamma - 1) + 0.5 * r * Dot(u, u)};
}

} // namespace zarnfoil::solver
