// Drawing the curvature and the weights, and the ranges they are drawn over.
#include "ui/plots/curvature_plots.h"

#include "core/number_field.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_view.h"

#include <cmath>
#include <limits>

namespace zarnfoil::ui {
namespace {

constexpr float kStartMaxStrip = 0.05f; // the text box's value when the program starts

// A tenth of the strip, or 0 when that is not a usable positive number.
float WeightRangeTop(std::string_view maxStripText) {
    const double top = ReadTextBoxNumber(maxStripText) / 10;
    // Room for the widening by a tenth within the float range.
    return top > 0 && top < 0.5 * std::numeric_limits<float>::max() ? static_cast<float>(top)
                                                                    : 0.0f;
}

float LargestWeight(const FoilState& s) {
    float largest = 0;
    for (int i = 1; i <= s.NP && i <= kMaxPoints; ++i)
        if (std::isfinite(s.DP(i)) && s.DP(i) > largest) largest = s.DP(i);
    return largest < 0.5f * std::numeric_limits<float>::max() ? largest : 0.0f;
}

bool Drawable(const FoilState& s, std::int16_t ISEL) {
    return SectionIsDrawable(s) && ISEL >= 1 && ISEL <= s.NP;
}

} // namespace

CurvatureBounds FindCurvatureBounds(const FoilState& s) {
    CurvatureBounds b;
    FindBounds(s.NP, s.T, s.K, b.xmin, b.xmax, b.ymin, b.ymax, 0);
    const float margin = 0.1f * (b.ymax - b.ymin);
    b.ymin -= margin;
    b.ymax += margin;
    return b;
}

WeightRange FindWeightRange(const FoilState& s, std::string_view maxStripText) {
    float top = WeightRangeTop(maxStripText);
    if (top == 0) top = LargestWeight(s);
    if (top == 0) top = kStartMaxStrip / 10;
    WeightRange r;
    r.DPLOT_HI = top;
    const float d = 0.1f * (r.DPLOT_HI - r.DPLOT_LO);
    r.DPLOT_HI += d;
    r.DPLOT_LO -= d;
    return r;
}

void DrawCurvature(Canvas& canvas, const FoilState& s, const CurvatureBounds& bounds,
                   std::int16_t ISEL, float xc, float yc, float w, float h) {
    BeginPlot(canvas, xc, yc, w, h);
    if (!Drawable(s, ISEL)) return;
    const TickRange ticks = TickStep(10, bounds.ymin, bounds.ymax);
    DrawGrid(canvas, s.T(1), s.T(s.NP), ticks.lo, ticks.hi, 0.2f, 10, ticks.step, 10);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.Line(s.T(ISEL), ticks.lo, s.T(ISEL), ticks.hi, kRed);
    DrawMarkers(canvas, s.NP, s.T, s.K, w / 150, h / 75, kRed);
    DrawCurve(canvas, s.NP, s.T, s.K, kRed);
    DrawCurve(canvas, s.NP, s.T, s.K_SM, kBlack);
    if (s.NRUN > 1) {
        canvas.SetLineStyle(LineStyle::Dotted);
        DrawCurve(canvas, s.NP, s.T, s.K_SM_PREV, kBlue);
        canvas.SetLineStyle(LineStyle::Solid);
    }
}

void DrawWeights(Canvas& canvas, const FoilState& s, const WeightRange& range, std::int16_t ISEL,
                 float xc, float w) {
    BeginPlot(canvas, xc, (range.DPLOT_LO + range.DPLOT_HI) / 2, w,
              range.DPLOT_HI - range.DPLOT_LO);
    if (!Drawable(s, ISEL)) return;
    const float h = range.DPLOT_HI - range.DPLOT_LO;
    const TickRange ticks = TickStep(0.001f, range.DPLOT_LO, range.DPLOT_HI);
    DrawGrid(canvas, s.T(1), s.T(s.NP), ticks.lo, ticks.hi, 0.2f, 10, ticks.step, 5,
             kWeightLabelFormat);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.Line(s.T(ISEL), ticks.lo, s.T(ISEL), ticks.hi, kRed);
    DrawMarkers(canvas, s.NP, s.T, s.DP, w / 300, h / 60, kRed);
    canvas.SetLineStyle(LineStyle::Dotted);
    DrawCurve(canvas, s.NP, s.T, s.DP, kBlue);
    canvas.SetLineStyle(LineStyle::Solid);
}

} // namespace zarnfoil::ui
