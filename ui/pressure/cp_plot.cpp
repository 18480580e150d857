// Grids, numbers, curves, the critical Cp and the legends of the two Cp pictures.
#include "ui/pressure/cp_plot.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_grid.h"

#include <cmath>
#include <cstdint>

namespace zarnfoil::ui {
namespace {

struct CpAxes {
    float XMIN, XMAX, YMAX, DX, DY;
    float leftMargin; // room left of XMIN, where the Cp labels once stood
};

constexpr CpAxes kOverX{0.0f, 1.0f, 1.0f, 0.1f, 0.2f, 0.1f};
constexpr CpAxes kOverT{-0.4f, 0.4f, 1.5f, 0.2f, 0.5f, 0.07f};
constexpr std::string_view kCpPicture = "#0.0";
constexpr std::string_view kTPicture = "#0.0##";

QString Formatted(float value, const char* picture) {
    return QString::fromStdString(FormatPicture(value, picture));
}

std::int16_t StepCount(float range, float step) {
    return static_cast<std::int16_t>(RoundHalfEven(range / step));
}

double Squared(double t) {
    return t * t;
}

// A point that is not a finite number is left out with the segments that meet it.
void FiniteLine(Canvas& canvas, float x1, float y1, float x2, float y2, const QColor& color) {
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))
        canvas.Line(x1, y1, x2, y2, color);
}

void DrawStations(Canvas& canvas, const StationArray& xs, const StationArray& cp,
                  const QColor& color) {
    for (int j = 2; j <= kStations; ++j)
        FiniteLine(canvas, xs(j - 1), cp(j - 1), xs(j), cp(j), color);
}

PlotView FirstView(const CpAxes& a, const CpScale& scale) {
    PlotView view;
    ShowBox(view, a.XMIN - a.leftMargin, a.XMAX + 0.01f, scale.YMIN - 0.01f,
            AxisTop(a.YMAX, a.DY, scale.CPMAX) + 0.01f);
    return view;
}

enum class CpPicture { OverX, OverT };

void DrawFrame(Canvas& canvas, const CpAxes& a, const CpScale& scale, const PlotView& v,
               CpPicture picture) {
    canvas.Clear(kBlack);
    canvas.SetFrame(picture == CpPicture::OverX ? kCpOverXFrame : kCpOverTFrame);
    canvas.SetForeground(kWhite);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.SetLineWidth(1);
    // Negative Cp at the top.
    canvas.SetWorld(v.VIEW_XC - v.VIEW_W / 2, v.VIEW_YC - v.VIEW_H / 2, v.VIEW_XC + v.VIEW_W / 2,
                    v.VIEW_YC + v.VIEW_H / 2);

    const float YMIN = scale.YMIN, YMAX = AxisTop(a.YMAX, a.DY, scale.CPMAX);
    const std::int16_t NX = StepCount(a.XMAX - a.XMIN, a.DX);
    const std::int16_t NY = StepCount(YMAX - YMIN, a.DY);
    for (int i = 0; i <= NX; ++i) {
        const float x = a.XMIN + static_cast<float>(i) * a.DX;
        canvas.Line(x, YMAX, x, YMIN, kGreen);
    }
    for (int j = 0; j <= NY; ++j) {
        const float y = YMIN + static_cast<float>(j) * a.DY;
        // Over x the line of Cp = 0 stands out.
        const bool zeroLine = picture == CpPicture::OverX && std::fabs(y) < 0.0001f;
        canvas.SetLineWidth(zeroLine ? 3 : 1);
        canvas.Line(a.XMAX, y, a.XMIN, y, kGreen);
        canvas.SetLineWidth(1);
    }

    const WorldRect& w = canvas.World();
    const EdgeScale along = ChooseEdgeScale(a.XMIN, a.DX, w.left, w.right);
    if (picture == CpPicture::OverX) {
        NumberEdge(canvas, Edge::Bottom, 0, along, kCpPicture);
        canvas.Title(Edge::Bottom, 0, "x/c");
    } else {
        NumberEdge(canvas, Edge::Bottom, 0, along, kTPicture);
        NumberEdge(canvas, Edge::Bottom, 1, along, kTPicture, Squared);
        canvas.Title(Edge::Bottom, 0, "t");
        canvas.Title(Edge::Bottom, 1, "x/c");
    }
    NumberEdge(canvas, Edge::Left, 0, ChooseEdgeScale(YMIN, a.DY, w.top, w.bottom), kCpPicture);
    canvas.Title(Edge::Left, 0, "Cp");
}

// The critical Cp across the grid, labelled at its right end above the line.
void DrawCriticalCp(Canvas& canvas, const CpAxes& a, const CpScale& scale) {
    if (!scale.cpStar) return;
    canvas.SetLineStyle(LineStyle::Dotted);
    canvas.Line(a.XMIN, *scale.cpStar, a.XMAX, *scale.cpStar, kYellow);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.SetForeground(kYellow);
    canvas.Print(a.XMAX, *scale.cpStar, "Cp* " + Formatted(*scale.cpStar, "#0.000"),
                 TextAnchor::BottomRight);
    canvas.SetForeground(kWhite);
}

} // namespace

PlotView CpOverXView(const CpScale& scale) {
    return FirstView(kOverX, scale);
}

PlotView CpOverTView(const CpScale& scale) {
    return FirstView(kOverT, scale);
}

void DrawCpOverX(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous, const PlotView& view, const CpCaptions& captions) {
    DrawFrame(canvas, kOverX, scale, view, CpPicture::OverX);
    canvas.Legend({captions.newest, kWhite});
    if (previous) {
        LegendEntry before{captions.previous, kRed};
        before.row = 1;
        canvas.Legend(before);
    }
    DrawCriticalCp(canvas, kOverX, scale);
    if (scale.cpStar && scale.n != kNoSonicIndex)
        FiniteLine(canvas, newest.x(MarkStart(scale.n)), *scale.cpStar, newest.x(scale.n + 1),
                   *scale.cpStar, kYellow);
    if (previous) DrawStations(canvas, previous->x, previous->cp, kRed);
    DrawStations(canvas, newest.x, newest.cp, kWhite);
}

void DrawCpOverT(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous, const PlotView& view) {
    DrawFrame(canvas, kOverT, scale, view, CpPicture::OverT);
    canvas.Legend({"newest Cp", kWhite});
    if (previous) canvas.Legend({"previous Cp", kRed});
    DrawCriticalCp(canvas, kOverT, scale);
    if (previous) DrawStations(canvas, StationT(previous->x), previous->cp, kRed);
    DrawStations(canvas, StationT(newest.x), newest.cp, kWhite);
}

void DrawCpCaption(Canvas& canvas, const QString& caption) {
    if (!caption.isEmpty()) canvas.Print(kOverT.XMIN + 0.02f, kOverT.YMAX - 0.4f, caption);
}

} // namespace zarnfoil::ui
