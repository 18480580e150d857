// u = U (cos a, sin a) + G beta / (2 pi r) (sin t, -cos t) / (1 - M^2 sin^2(t - a)), with G the
// circulation, beta = sqrt(1 - M^2) and (r, t) the polar place about the vortex; the speed of
// sound follows from the free stream's total enthalpy.
#include "solver/far_field.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

Vec2 FarVelocity(const FreeStream& stream, Vec2 at) {
    const double m = stream.mach;
    const double beta = std::sqrt(1 - m * m);
    const Vec2 d = at - stream.vortex;
    const double r = Length(d);
    const double t = std::atan2(d.y, d.x);
    const double s = std::sin(t - stream.alpha);
    const double swirl =
        stream.circulation * beta / (2 * std::numbers::pi * r * (1 - m * m * s * s));
    return {m * std::cos(stream.alpha) + swirl * std::sin(t),
            m * std::sin(stream.alpha) - swirl * std::cos(t)};
}

Conserved FarFieldState(const FreeStream& stream, Vec2 at, Vec2 normal, const Conserved& inside) {
    constexpr double g1 = kGamma - 1;
    const double m = stream.mach;
    const double enthalpy = 1 / g1 + 0.5 * m * m; // total, of the free stream
    const Vec2 far = FarVelocity(stream, at);
    const double farSound = std::sqrt(std::max(g1 * (enthalpy - 0.5 * Dot(far, far)), 1e-12));

    const Vec2 in = (1 / inside.r) * Vec2{inside.mu, inside.mv};
    const double pIn = std::max(PressureOf(inside), 1e-12);
    const double inSound = std::sqrt(kGamma * pIn / inside.r);

    const double outgoing = Dot(in, normal) + 2 * inSound / g1;
    const double incoming = Dot(far, normal) - 2 * farSound / g1;
    const double qn = 0.5 * (outgoing + incoming);
    const double sound = std::max(0.25 * g1 * (outgoing - incoming), 1e-6);
    const bool leaving = qn > 0;
    const Vec2 tangential =
        leaving ? in - Dot(in, normal) * normal : far - Dot(far, normal) * normal;
    // Entropy as p / rho^gamma: 1/gamma in the free stream.
    const double entropy = leaving ? pIn / std::pow(inside.r, kGamma) : 1 / kGamma;
    const double r = std::pow(sound * sound / (kGamma * entropy), 1 / g1);
    const double p = r * sound * sound / kGamma;
    return StateOf(r, tangential + qn * normal, p);
}

} // namespace zarnfoil::solver
