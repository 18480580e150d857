// The two-level grid of a picture with the numbers along its edges (DrawGrid), the choice of
// those numbers for any view, and the tick step of an axis whose range comes from the data
// (curvature and weight pictures).
#pragma once

#include "ui/plots/canvas.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zarnfoil::ui {

inline constexpr std::string_view kXLabelFormat = "#.0#";
inline constexpr std::string_view kYLabelFormat = "#0.0#";         // every picture but one
inline constexpr std::string_view kWeightLabelFormat = "#0.0####"; // the weight picture

// Lines every dx/nx from x1 to x2 and every dy/ny from y1 to y2, over the y and x ranges of the
// grid; every nx-th (ny-th) line is a green major line, the others yellow. A direction whose
// line count does not fit 16 bits or is not a number, or whose lines per step are not positive,
// gets no lines. The numbers go along the bottom and left edges of whatever the canvas's world
// rectangle shows (NumberEdge): x with "#.0#", y with yLabelFormat.
void DrawGrid(Canvas& canvas, float x1, float x2, float y1, float y2, float dx, std::int16_t nx,
              float dy, std::int16_t ny, std::string_view yLabelFormat = kYLabelFormat);

// The numbers along an edge that shows lo..hi of an axis whose major grid lines lie every
// `major` from `origin`: values origin + k * step for k = first..last. The step is `major` when
// 4 to 16 major lines show; when more show, 2, 5, 10, 20 ... times it, when fewer, a half, a
// fifth, a tenth ... of it (never finer than the float resolution of the view). The origin is
// the major line nearest 0, so that 0 is numbered where the lines pass through it.
struct EdgeScale {
    double origin = 0, step = 0;
    std::int64_t first = 0, last = -1; // none when last < first
};
EdgeScale ChooseEdgeScale(double origin, double major, double lo, double hi);

// `picture` with as many decimals as numbers `step` apart need, when it has fewer.
std::string EdgePicture(std::string_view picture, double step);

// Records the numbers of `scale` along an edge, formatted with `picture` (given enough
// decimals); a row under the bottom edge may show a function of the value instead (t^2 under
// t).
void NumberEdge(Canvas& canvas, Edge edge, int row, const EdgeScale& scale,
                std::string_view picture, double (*shown)(double) = nullptr);

// Both edges of the canvas's world rectangle, for grids with major lines every dx from x1 and
// every dy from y1.
void NumberEdges(Canvas& canvas, double x1, double dx, std::string_view xPicture, double y1,
                 double dy, std::string_view yPicture);

struct TickRange {
    float lo = 0, hi = 0, step = 0;
};

// The smallest step s0 * 2^k (k >= 1) for which the range from a multiple of the step at or
// below lo0 (never above 0) to one at or above hi0 (never below one step) holds fewer than 6
// steps. Bounds that are not numbers count as 0.
TickRange TickStep(float s0, float lo0, float hi0);

// A step of 1, 2 or 5 times a power of ten that divides `range` into about `parts`.
double NiceStep(double range, int parts);

} // namespace zarnfoil::ui
