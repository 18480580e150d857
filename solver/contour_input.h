// The caller's contour made fit for the spline: checked for finite values, repeated neighbours
// dropped, and turned counter-clockwise so the flow formulas see one orientation.
#pragma once

#include "solver/vec2.h"

#include <optional>
#include <span>
#include <vector>

namespace zarnfoil::solver {

struct Contour {
    std::vector<Vec2> points; // counter-clockwise, no two neighbours equal
    bool reversed = false;    // true when the caller's order ran clockwise
};

// Nothing when a value is not finite, fewer than three distinct points or no enclosed area
// remain, or the contour crosses or touches itself.
std::optional<Contour> PrepareContour(std::span<const float> x, std::span<const float> y);

} // namespace zarnfoil::solver
