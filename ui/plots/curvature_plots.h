// The curvature window's three pictures: the curvature along t before and after smoothing
// (and after the previous run) with the smoothed curvature's reversals, the deviation of the
// smoothed section from the section as read within its bands, and the working weights; with
// the ranges they are drawn over.
#pragma once

#include "core/fairness_report.h"
#include "core/foil_state.h"
#include "ui/plots/canvas.h"

#include <cstdint>
#include <string_view>

namespace zarnfoil::ui {

// The first view of the curvature picture, which also sets its grid: t over the section, K
// over the bulk of the smoothed curvature (its 2nd to 98th percentile, 0 included), widened to
// the smoothed values that lie within one bulk's range beyond it, then by 15 % each way. The
// spikes of a noisy section as read, and stray end values, lie beyond it rather than
// flattening every curve into a line; a clean section's leading-edge peak stays in view.
struct CurvatureBounds {
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};
CurvatureBounds FindCurvatureBounds(const FoilState& s);

// The range of the weight plot: 0 to the larger of a tenth of "Max Smooth Strip" and the
// largest weight, widened by a tenth each way. A strip that is not a positive number counts as
// 0; with all weights 0 too, the range is that of the start value 0.05.
struct WeightRange {
    float DPLOT_LO = 0, DPLOT_HI = 0;
};
WeightRange FindWeightRange(const FoilState& s, std::string_view maxStripText);

// The range of the deviation plot, symmetric about 0: the widest band (or deviation) of any
// point with 15 % to spare.
struct DeviationRange {
    float top = 0.001f;
};
DeviationRange FindDeviationRange(const FoilState& s);

// Pict_C: grid, the selected point's line at T(ISEL), the curvature before smoothing (red,
// markers), after smoothing (black), from the second re-run on the previous run's curvature
// (blue, dotted), and a magenta diamond at each reversal of the smoothed curvature that
// `fairness` found.
void DrawCurvature(Canvas& canvas, const FoilState& s, const CurvatureBounds& bounds,
                   const FairnessReport& fairness, std::int16_t ISEL, float xc, float yc, float w,
                   float h);

// Pict_Dev over its range, sharing Pict_C's t range (centre xc, width w): grid, the selected
// point's line, the bands +-DP (blue, dotted), Y_SM - YP (black) and a red "+" at each point
// that ends on its band edge.
void DrawDeviation(Canvas& canvas, const FoilState& s, const DeviationRange& range,
                   const FairnessReport& fairness, std::int16_t ISEL, float xc, float w);

// Pict_D over the weight range, sharing Pict_C's t range: grid, the selected point's line, the
// weights DP as red markers joined by a blue dotted line.
void DrawWeights(Canvas& canvas, const FoilState& s, const WeightRange& range, std::int16_t ISEL,
                 float xc, float w);

} // namespace zarnfoil::ui
