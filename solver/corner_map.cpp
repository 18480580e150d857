// Karman-Trefftz map both ways. Along the contour the angle of (z - T)/(z - L) turns by less
// than 2 pi, and outside the near-circle (w - 1)/(w + 1) stays clear of the negative axis, so
// one continuous branch serves both directions.
#include "solver/corner_map.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

CornerMap::CornerMap(Complex trailingEdge, Complex inside, double corner)
    : trailingEdge_(trailingEdge), inside_(inside), k_(2 - corner / std::numbers::pi) {}

std::vector<Complex> CornerMap::ToNearCircle(std::span<const Complex> contour) const {
    std::vector<Complex> out;
    double previous = 0;
    bool first = true;
    for (const Complex z : contour) {
        const Complex v = (z - trailingEdge_) / (z - inside_);
        if (v == 0.0) { // the trailing edge itself
            out.push_back(1.0);
            continue;
        }
        double angle = std::arg(v);
        if (!first)
            angle += 2 * std::numbers::pi * std::round((previous - angle) / (2 * std::numbers::pi));
        first = false;
        previous = angle;
        const Complex ratio = std::polar(std::pow(std::abs(v), 1 / k_), angle / k_);
        out.push_back((1.0 + ratio) / (1.0 - ratio));
    }
    return out;
}

CornerMap::Image CornerMap::FromNearCircle(Complex w) const {
    const Complex ratio = (w - 1.0) / (w + 1.0);
    // ratio^(k-1) rather than ratio^k / ratio: finite, and 0, at the trailing edge itself.
    const Complex powerLess = ratio == 0.0 ? Complex(0) : std::pow(ratio, k_ - 1);
    const Complex power = powerLess * ratio;
    const Complex z = (trailingEdge_ - inside_ * power) / (1.0 - power);
    // z = (T - L u) / (1 - u), u = ratio^k: dz/du = (T - L) / (1 - u)^2,
    // du/dw = k ratio^(k-1) * 2 / (w + 1)^2.
    const Complex slope = (trailingEdge_ - inside_) / ((1.0 - power) * (1.0 - power)) * k_ *
                          powerLess * 2.0 / ((w + 1.0) * (w + 1.0));
    return {z, slope};
}

} // namespace zarnfoil::solver
