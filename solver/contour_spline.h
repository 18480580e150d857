// The section contour as cubic splines x(s), y(s) over the accumulated distance s between its
// points, from which the panel nodes and the leading edge are taken.
#pragma once

#include "solver/vec2.h"

#include <span>
#include <vector>

namespace zarnfoil::solver {

class ContourSpline {
  public:
    // Points in contour order, no two neighbours equal, at least three of them.
    explicit ContourSpline(std::span<const Vec2> points);

    double TotalLength() const { return s_.back(); }
    std::span<const double> Knots() const { return s_; }
    Vec2 At(double s) const;
    Vec2 Slope(double s) const; // (dx/ds, dy/ds)

  private:
    std::vector<double> s_, x_, y_, mx_, my_;
};

} // namespace zarnfoil::solver
