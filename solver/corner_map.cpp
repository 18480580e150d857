// Karman-Trefftz map both ways. On and outside the near-circle (w - 1)/(w + 1) lies in the
// right half plane, so the principal powers need no branch bookkeeping.
#include "solver/corner_map.h"

#include <numbers>

namespace zarnfoil::solver {

CornerMap::CornerMap(Complex trailingEdge, Complex inside, double corner)
    : trailingEdge_(trailingEdge), inside_(inside), k_(2 - corner / std::numbers::pi) {}

Complex CornerMap::ToNearCircle(Complex z) const {
    const Complex ratio = std::pow((z - trailingEdge_) / (z - inside_), 1 / k_);
    return (1.0 + ratio) / (1.0 - ratio);
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
