// The conformal map of the outside of the unit circle onto the flow round the section: the
// corner map after the circle map. The circle point zeta = 1 goes to the trailing edge, and
// far out z = a1 zeta + a0 + O(1/zeta).
#pragma once

#include "solver/circle_map.h"
#include "solver/corner_map.h"
#include "solver/vec2.h"

#include <optional>
#include <span>

namespace zarnfoil::solver {

class SectionMap {
  public:
    struct Image {
        Complex z;
        Complex slope; // dz/dzeta
    };
    Image At(Complex zeta) const;

    Complex Scale() const { return a1_; }  // a1
    Complex Centre() const { return a0_; } // a0

    // The section as a closed counter-clockwise contour from its trailing edge, first and last
    // point the same. Nothing when the contour has no leading edge between its ends or the
    // near-circle cannot be mapped.
    static std::optional<SectionMap> Fit(std::span<const Vec2> closedContour);

  private:
    CornerMap corner_;
    CircleMap circle_;
    Complex a1_, a0_;
};

} // namespace zarnfoil::solver
