// Grids, labels, curves and the Cp* mark of the two Cp pictures.
#include "ui/pressure/cp_plot.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "ui/plots/plot_colors.h"

#include <cmath>
#include <cstdint>

namespace zarnfoil::ui {
namespace {

struct CpAxes {
    float XMIN, XMAX, YMAX, DX, DY;
    float leftMargin; // room left of XMIN for the Cp labels
    float labelLeft;  // the Cp labels start this far left of XMIN
};

constexpr CpAxes kOverX{0.0f, 1.0f, 1.0f, 0.1f, 0.2f, 0.1f, 0.095f};
constexpr CpAxes kOverT{-0.4f, 0.4f, 1.5f, 0.2f, 0.5f, 0.07f, 0.06f};

QString Formatted(float value, const char* picture) {
    return QString::fromStdString(FormatPicture(value, picture));
}

std::int16_t StepCount(float range, float step) {
    return static_cast<std::int16_t>(RoundHalfEven(range / step));
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

enum class CpPicture { OverX, OverT };

void DrawFrame(Canvas& canvas, const CpAxes& a, float YMIN, CpPicture picture) {
    canvas.Clear(kBlack);
    canvas.SetForeground(kWhite);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.SetLineWidth(1);
    canvas.SetWorld(a.XMIN - a.leftMargin, YMIN - 0.01f, a.XMAX + 0.01f, a.YMAX + 0.01f);

    const std::int16_t NX = StepCount(a.XMAX - a.XMIN, a.DX);
    const std::int16_t NY = StepCount(a.YMAX - YMIN, a.DY);
    for (int i = 0; i <= NX; ++i) {
        const float x = a.XMIN + static_cast<float>(i) * a.DX;
        canvas.Line(x, a.YMAX, x, YMIN, kGreen);
        if (picture == CpPicture::OverT) {
            canvas.Print(x, 0, Formatted(x * x, "#0.0##"));
            canvas.Print(x, -0.4f * a.DY, Formatted(x, "#0.0##"));
        }
    }
    for (int j = 0; j <= NY; ++j) {
        const float y = YMIN + static_cast<float>(j) * a.DY;
        // Over x the line of Cp = 0 stands out.
        const bool zeroLine = picture == CpPicture::OverX && std::fabs(y) < 0.0001f;
        canvas.SetLineWidth(zeroLine ? 3 : 1);
        canvas.Line(a.XMAX, y, a.XMIN, y, kGreen);
        canvas.SetLineWidth(1);
        canvas.Print(a.XMIN - a.labelLeft, y, Formatted(y, "#0.0"));
    }
}

} // namespace

void DrawCpOverX(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous) {
    DrawFrame(canvas, kOverX, scale.YMIN, CpPicture::OverX);
    if (scale.cpStar && scale.n != kNoSonicIndex)
        FiniteLine(canvas, newest.x(MarkStart(scale.n)), *scale.cpStar, newest.x(scale.n + 1),
                   *scale.cpStar, kYellow);
    if (previous) DrawStations(canvas, previous->x, previous->cp, kRed);
    DrawStations(canvas, newest.x, newest.cp, kWhite);
}

void DrawCpOverT(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous) {
    DrawFrame(canvas, kOverT, scale.YMIN, CpPicture::OverT);
    if (previous) DrawStations(canvas, StationT(previous->x), previous->cp, kRed);
    DrawStations(canvas, StationT(newest.x), newest.cp, kWhite);
}

void DrawCpCaption(Canvas& canvas, const QString& caption) {
    if (!caption.isEmpty()) canvas.Print(kOverT.XMIN + 0.02f, kOverT.YMAX - 0.4f, caption);
}

} // namespace zarnfoil::ui
