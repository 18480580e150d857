// The Karman-Trefftz map that opens the section's trailing-edge corner: the section becomes a
// smooth near-circle through the point 1 of its own plane, the rest of the plane following.
#pragma once

#include <complex>
#include <span>
#include <vector>

namespace zarnfoil::solver {

using Complex = std::complex<double>;

// (z - trailingEdge) / (z - inside) = ((w - 1) / (w + 1))^k with k = 2 - corner / pi: the
// corner of angle `corner` at trailingEdge turns into a smooth point w = 1, the point `inside`
// (within the section near its leading edge) goes to w = -1 and infinity stays at infinity.
class CornerMap {
  public:
    CornerMap() = default;
    CornerMap(Complex trailingEdge, Complex inside, double corner);

    // Section plane to near-circle plane for the points of the section contour in order from
    // the trailing edge round to it again: the power takes its branch by continuity along the
    // contour, as a cambered section's lower surface needs.
    std::vector<Complex> ToNearCircle(std::span<const Complex> contour) const;

    struct Image {
        Complex z;
        Complex slope; // dz/dw; 0 at w = 1, where the corner opens
    };
    // Near-circle plane to section plane, for points on or outside the near-circle.
    Image FromNearCircle(Complex w) const;

  private:
    Complex trailingEdge_, inside_;
    double k_ = 2;
};

} // namespace zarnfoil::solver
