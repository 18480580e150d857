// The two-level grid of a picture with its axis labels (DrawGrid), and the tick step of an
// axis whose range comes from the data (curvature and weight pictures).
#pragma once

#include "ui/plots/canvas.h"

#include <cstdint>
#include <string_view>

namespace zarnfoil::ui {

inline constexpr std::string_view kXLabelFormat = "#.0#";
inline constexpr std::string_view kYLabelFormat = "#0.0#";         // every picture but one
inline constexpr std::string_view kWeightLabelFormat = "#0.0####"; // the weight picture

// Lines every dx/nx from x1 to x2 and every dy/ny from y1 to y2, over the y and x ranges of the
// grid; every nx-th (ny-th) line is a green major line, the others yellow. Major lines are
// labelled along the world axes: x with "#.0#" at (x, 0), y with yLabelFormat at (0, y),
// leaving out the y label within one minor step of 0. A direction whose line count does not
// fit 16 bits or is not a number, or whose lines per step are not positive, gets no lines.
void DrawGrid(Canvas& canvas, float x1, float x2, float y1, float y2, float dx, std::int16_t nx,
              float dy, std::int16_t ny, std::string_view yLabelFormat = kYLabelFormat);

struct TickRange {
    float lo = 0, hi = 0, step = 0;
};

// The smallest step s0 * 2^k (k >= 1) for which the range from a multiple of the step at or
// below lo0 (never above 0) to one at or above hi0 (never below one step) holds fewer than 6
// steps. Bounds that are not numbers count as 0.
TickRange TickStep(float s0, float lo0, float hi0);

} // namespace zarnfoil::ui
