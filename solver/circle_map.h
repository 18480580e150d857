// The Theodorsen-Garrick map of the outside of the unit circle onto the outside of a
// near-circle: w = centre + zeta * exp(sum over n of c(n) zeta^-n), with zeta = 1 going to a
// chosen point of the near-circle.
#pragma once

#include "solver/corner_map.h"

#include <optional>
#include <span>
#include <vector>

namespace zarnfoil::solver {

class CircleMap {
  public:
    struct Image {
        Complex w;
        Complex slope; // dw/dzeta
    };
    Image At(Complex zeta) const;

    // Near-circle points in counter-clockwise order, the first of them the point zeta = 1 is
    // to reach. Nothing when the near-circle is not star-shaped about its centroid or the
    // iteration does not settle within its cap.
    static std::optional<CircleMap> Fit(std::span<const Complex> nearCircle);

  private:
    Complex centre_;
    std::vector<Complex> c_; // c(0), c(1), ...
};

} // namespace zarnfoil::solver
