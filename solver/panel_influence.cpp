// Closed forms of the panel integrals, in the panel's own frame: X along the panel from its
// start, Y to its left; x1 = X and x2 = X - L are the offsets from the two ends.
#include "solver/panel_influence.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {
constexpr double pi = std::numbers::pi;
} // namespace

Panel PanelBetween(Vec2 start, Vec2 end) {
    const double length = Length(end - start);
    return {start, end, (1 / length) * (end - start), length};
}

EndDistance DistanceBetween(Vec2 a, Vec2 b) {
    const Vec2 d = a - b;
    const double r = std::sqrt(Dot(d, d));
    return {r, r > 0 ? std::log(r) : 0.0};
}

VortexPsi LinearVortexPsi(Vec2 field, const Panel& panel, EndDistance toStart, EndDistance toEnd) {
    const Vec2 fromStart = field - panel.start;
    const Vec2 fromEnd = field - panel.end;
    const double x1 = Dot(fromStart, panel.t);
    const double x2 = x1 - panel.length;
    const double y = Cross(panel.t, fromStart);
    const double r1 = toStart.r, r2 = toEnd.r;
    // Angle subtended by the panel at the field point, zero on the panel's own line.
    const double subtended = std::atan2(Cross(fromStart, fromEnd), Dot(fromStart, fromEnd));
    // i0 = integral of ln r ds, i1 = integral of s ln r ds over 0 <= s <= L.
    const double i0 = x1 * toStart.logR - x2 * toEnd.logR - panel.length + y * subtended;
    const double i1 = x1 * i0 - (0.5 * (r1 * r1 * toStart.logR - r2 * r2 * toEnd.logR) -
                                 0.25 * (r1 * r1 - r2 * r2));
    const double scale = 1 / (2 * pi);
    return {scale * (i0 - i1 / panel.length), scale * i1 / panel.length};
}

double UniformSourcePsi(Vec2 field, const Panel& panel) {
    const Vec2 fromStart = field - panel.start;
    const double x1 = Dot(fromStart, panel.t);
    const double x2 = x1 - panel.length;
    const double y = Cross(panel.t, fromStart);
    // Angle from the panel direction, taken in (-pi/2, 3 pi/2] so that it is continuous
    // everywhere except straight off the panel's right side.
    const auto angle = [](double along, double across) {
        const double a = std::atan2(across, along);
        return a <= -0.5 * pi ? a + 2 * pi : a;
    };
    const double log1 = DistanceBetween(field, panel.start).logR;
    const double log2 = DistanceBetween(field, panel.end).logR;
    // integral of theta du = u theta + Y ln r; the left normal is a quarter turn from the panel.
    const double integral =
        x1 * angle(x1, y) - x2 * angle(x2, y) + y * (log1 - log2) - 0.5 * pi * panel.length;
    return integral / (2 * pi);
}

} // namespace zarnfoil::solver
