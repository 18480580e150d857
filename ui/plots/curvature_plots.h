// The curvature window's two pictures: the curvature along t before and after smoothing (and
// after the previous run), and the working weights; with the ranges they are drawn over.
#pragma once

#include "core/foil_state.h"
#include "ui/plots/canvas.h"

#include <cstdint>
#include <string_view>

namespace zarnfoil::ui {

// Bounds of the curvature before smoothing along t, y widened by a tenth of its range each
// way; fixed when the window loads.
struct CurvatureBounds {
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};
CurvatureBounds FindCurvatureBounds(const FoilState& s);

// The range of the weight plot, from "Max Smooth Strip": 0 to a tenth of the strip, widened by a
// tenth each way. It starts afresh at every load of the window. A strip that is not a positive
// number gives the range of the largest weight instead, or of the start value 0.05 when all
// weights are 0.
struct WeightRange {
    float DPLOT_LO = 0, DPLOT_HI = 0;
};
WeightRange FindWeightRange(const FoilState& s, std::string_view maxStripText);

// Pict_C: grid, the selected point's line at T(ISEL), the curvature before smoothing (red,
// markers), after smoothing (black), and from the second re-run on the previous run's
// curvature (blue, dotted).
void DrawCurvature(Canvas& canvas, const FoilState& s, const CurvatureBounds& bounds,
                   std::int16_t ISEL, float xc, float yc, float w, float h);

// Pict_D over the weight range, sharing Pict_C's t range (centre xc, width w): grid, the
// selected point's line, the weights DP as red markers joined by a blue dotted line.
void DrawWeights(Canvas& canvas, const FoilState& s, const WeightRange& range, std::int16_t ISEL,
                 float xc, float w);

} // namespace zarnfoil::ui
