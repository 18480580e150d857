// Closed forms of the panel integrals, in the panel's own frame: X along the panel from its
// start, Y to its left; x1 = X and x2 = X - L are the offsets from the two ends.
#include "solver/panel_influence.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

constexpr double pi = std::numbers::pi;

// r^2 ln r and x ln r both vanish as the field point reaches a panel end.
double LogOrZero(double r) { return r > 0 ? std::log(r) : 0.0; }

struct PanelFrame {
    double length, x1, x2, y, r1, r2;
};

PanelFrame FrameOf(Vec2 field, Vec2 start, Vec2 end) {
    const Vec2 along = end - start;
    const double length = Length(along);
    const Vec2 t = (1 / length) * along;
    const Vec2 d = field - start;
    const double x1 = Dot(d, t);
    const double y = Cross(t, d);
    return {length, x1, x1 - length, y, Length(d), Length(field - end)};
}

} // namespace

VortexPsi LinearVortexPsi(Vec2 field, Vec2 start, Vec2 end) {
    const PanelFrame f = FrameOf(field, start, end);
    const double log1 = LogOrZero(f.r1);
    const double log2 = LogOrZero(f.r2);
    // Angle subtended by the panel at the field point, zero on the panel's own line.
    const double subtended = std::atan2(Cross(start - field, end - field), Dot(start - field, end - field));
    // i0 = integral of ln r ds, i1 = integral of s ln r ds over 0 <= s <= L.
    const double i0 = f.x1 * log1 - f.x2 * log2 - f.length + f.y * subtended;
    const double i1 = f.x1 * i0 - (0.5 * (f.r1 * f.r1 * log1 - f.r2 * f.r2 * log2) -
                                   0.25 * (f.r1 * f.r1 - f.r2 * f.r2));
    const double scale = 1 / (2 * pi);
    return {scale * (i0 - i1 / f.length), scale * i1 / f.length};
}

double UniformSourcePsi(Vec2 field, Vec2 start, Vec2 end) {
    const PanelFrame f = FrameOf(field, start, end);
    // Angle from the panel direction, taken in (-pi/2, 3 pi/2] so that it is continuous
    // everywhere except straight off the panel's right side.
    const auto angle = [](double y, double x) {
        const double a = std::atan2(y, x);
        return a <= -0.5 * pi ? a + 2 * pi : a;
    };
    // integral of theta du = u theta + Y ln r; the left normal is a quarter turn from the panel.
    const double integral = f.x1 * angle(f.y, f.x1) - f.x2 * angle(f.y, f.x2) +
                            f.y * (LogOrZero(f.r1) - LogOrZero(f.r2)) - 0.5 * pi * f.length;
    return integral / (2 * pi);
}

} // namespace zarnfoil::solver
