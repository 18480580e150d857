// Drawing the curvature, the deviation and the weights, and the ranges they are drawn over.
#include "ui/plots/curvature_plots.h"

#include "core/number_field.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zarnfoil::ui {
namespace {

constexpr float kStartMaxStrip = 0.05f; // the text box's value when the program starts
constexpr double kLowShare = 0.02, kHighShare = 0.98; // the percentiles of the first view
constexpr float kViewMargin = 0.15f;
constexpr float kDeviationMargin = 1.15f;
constexpr float kHalfRange = 0.5f * std::numeric_limits<float>::max();

// A tenth of the strip, or 0 when that is not a usable positive number.
float WeightRangeTop(std::string_view maxStripText) {
    const double top = ReadTextBoxNumber(maxStripText) / 10;
    // Room for the widening by a tenth within the float range.
    return top > 0 && top < kHalfRange ? static_cast<float>(top) : 0.0f;
}

float LargestWeight(const FoilState& s) {
    float largest = 0;
    for (int i = 1; i <= s.NP && i <= kMaxPoints; ++i)
        if (std::isfinite(s.DP(i)) && s.DP(i) > largest) largest = s.DP(i);
    return largest < kHalfRange ? largest : 0.0f;
}

bool Drawable(const FoilState& s, std::int16_t ISEL) {
    return SectionIsDrawable(s) && ISEL >= 1 && ISEL <= s.NP;
}

// A diamond of half-sizes mx, my round (x, y).
void Diamond(Canvas& canvas, float x, float y, float mx, float my, const QColor& color) {
    canvas.Line(x - mx, y, x, y + my, color);
    canvas.Line(x, y + my, x + mx, y, color);
    canvas.Line(x + mx, y, x, y - my, color);
    canvas.Line(x, y - my, x - mx, y, color);
}

bool OnSection(const FoilState& s, int i) {
    return i >= 1 && i <= s.NP;
}

} // namespace

CurvatureBounds FindCurvatureBounds(const FoilState& s) {
    CurvatureBounds b;
    FindBounds(s.NP, s.T, s.K_SM, b.xmin, b.xmax, b.ymin, b.ymax, 0);
    std::vector<float> k;
    for (int i = 1; i <= s.NP && i <= kMaxPoints; ++i)
        if (std::isfinite(s.K_SM(i))) k.push_back(s.K_SM(i));
    if (k.empty()) return b;
    std::sort(k.begin(), k.end());
    const double last = static_cast<double>(k.size() - 1);
    const float low = std::min(k[static_cast<std::size_t>(std::floor(kLowShare * last))], 0.0f);
    const float high = std::max(k[static_cast<std::size_t>(std::ceil(kHighShare * last))], 0.0f);
    // Extremes within one bulk's range beyond it belong to the curve (a clean section's
    // leading-edge peak); farther ones are spikes.
    const float bulk = high - low;
    b.ymin = low;
    b.ymax = high;
    for (const float v : k)
        if (v >= low - bulk && v <= high + bulk)
            b.ymin = std::min(b.ymin, v), b.ymax = std::max(b.ymax, v);
    const float margin = kViewMargin * (b.ymax - b.ymin);
    if (std::isfinite(margin)) {
        b.ymin -= margin;
        b.ymax += margin;
    }
    return b;
}

WeightRange FindWeightRange(const FoilState& s, std::string_view maxStripText) {
    float top = std::max(WeightRangeTop(maxStripText), LargestWeight(s));
    if (top == 0) top = kStartMaxStrip / 10;
    WeightRange r;
    r.DPLOT_HI = top;
    const float d = 0.1f * (r.DPLOT_HI - r.DPLOT_LO);
    r.DPLOT_HI += d;
    r.DPLOT_LO -= d;
    return r;
}

DeviationRange FindDeviationRange(const FoilState& s) {
    float widest = 0;
    for (int i = 1; i <= s.NP && i <= kMaxPoints; ++i) {
        const float deviation = std::fabs(s.Y_SM(i) - s.YP(i));
        for (const float v : {std::fabs(s.DP(i)), deviation})
            if (std::isfinite(v) && v > widest && v < kHalfRange) widest = v;
    }
    DeviationRange r;
    if (widest > 0) r.top = kDeviationMargin * widest;
    return r;
}

void DrawCurvature(Canvas& canvas, const FoilState& s, const CurvatureBounds& bounds,
                   const FairnessReport& fairness, std::int16_t ISEL, float xc, float yc, float w,
                   float h) {
    BeginPlot(canvas, xc, yc, w, h);
    canvas.Title(Edge::Bottom, 0, "t");
    canvas.Title(Edge::Left, 0, "K");
    if (!Drawable(s, ISEL)) return;
    canvas.Legend({"input", kRed, LineStyle::Solid, true, LegendMark::Plus});
    canvas.Legend({"smoothed", kBlack});
    if (s.NRUN > 1) canvas.Legend({"previous run", kBlue, LineStyle::Dotted});
    std::vector<int> reversals = fairness.lower.smoothed;
    reversals.insert(reversals.end(), fairness.upper.smoothed.begin(),
                     fairness.upper.smoothed.end());
    if (!reversals.empty())
        canvas.Legend({"reversal of the smoothed curvature", kMagenta, LineStyle::Solid, false,
                       LegendMark::Diamond});

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
    for (const int i : reversals)
        if (OnSection(s, i)) Diamond(canvas, s.T(i), s.K_SM(i), w / 100, h / 40, kMagenta);
}

void DrawDeviation(Canvas& canvas, const FoilState& s, const DeviationRange& range,
                   const FairnessReport& fairness, std::int16_t ISEL, float xc, float w) {
    const float h = 2 * range.top;
    BeginPlot(canvas, xc, 0, w, h);
    canvas.Title(Edge::Bottom, 0, "t");
    canvas.Title(Edge::Left, 0, "Y_SM - YP");
    if (!Drawable(s, ISEL)) return;
    canvas.Legend({"deviation", kBlack});
    canvas.Legend({"band +-DP", kBlue, LineStyle::Dotted});
    if (!fairness.onBandEdge.empty())
        canvas.Legend({"on its band edge", kRed, LineStyle::Solid, false, LegendMark::Plus});

    const auto step = static_cast<float>(NiceStep(h, 4));
    const float edge = step * std::ceil(range.top / step);
    DrawGrid(canvas, s.T(1), s.T(s.NP), -edge, edge, 0.2f, 10, step, 5, kWeightLabelFormat);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.Line(s.T(ISEL), -edge, s.T(ISEL), edge, kRed);
    canvas.SetLineStyle(LineStyle::Dotted);
    for (int i = 2; i <= s.NP; ++i) {
        canvas.Line(s.T(i - 1), s.DP(i - 1), s.T(i), s.DP(i), kBlue);
        canvas.Line(s.T(i - 1), -s.DP(i - 1), s.T(i), -s.DP(i), kBlue);
    }
    canvas.SetLineStyle(LineStyle::Solid);
    for (int i = 2; i <= s.NP; ++i)
        canvas.Line(s.T(i - 1), s.Y_SM(i - 1) - s.YP(i - 1), s.T(i), s.Y_SM(i) - s.YP(i), kBlack);
    const float mx = w / 150, my = h / 40;
    for (const int i : fairness.onBandEdge) {
        if (!OnSection(s, i)) continue;
        const float d = s.Y_SM(i) - s.YP(i);
        canvas.Line(s.T(i) - mx, d, s.T(i) + mx, d, kRed);
        canvas.Line(s.T(i), d - my, s.T(i), d + my, kRed);
    }
}

void DrawWeights(Canvas& canvas, const FoilState& s, const WeightRange& range, std::int16_t ISEL,
                 float xc, float w) {
    BeginPlot(canvas, xc, (range.DPLOT_LO + range.DPLOT_HI) / 2, w,
              range.DPLOT_HI - range.DPLOT_LO);
    canvas.Title(Edge::Bottom, 0, "t");
    canvas.Title(Edge::Left, 0, "D");
    if (!Drawable(s, ISEL)) return;
    canvas.Legend({"weights DP", kBlue, LineStyle::Dotted, true, LegendMark::Plus, kRed});
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
