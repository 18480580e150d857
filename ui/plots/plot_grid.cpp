// Grid lines, axis labels and tick steps.
#include "ui/plots/plot_grid.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "ui/plots/plot_colors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarnfoil::ui {
namespace {

// Line intervals over a grid side: the side in steps, rounded, times the lines per step, as
// a 16-bit count; -1 when that count is out of reach.
int IntervalCount(float from, float to, float step, std::int16_t perStep) {
    const double steps = RoundHalfEven(static_cast<double>((to - from) / step));
    const double count = steps * perStep;
    if (!std::isfinite(count) || count > std::numeric_limits<std::int16_t>::max() ||
        count < std::numeric_limits<std::int16_t>::min())
        return -1;
    return static_cast<int>(count);
}

QString Label(float value, std::string_view format) {
    return QString::fromStdString(FormatPicture(value, format));
}

} // namespace

void DrawGrid(Canvas& canvas, float x1, float x2, float y1, float y2, float dx, std::int16_t nx,
              float dy, std::int16_t ny, std::string_view yLabelFormat) {
    const float hx = dx / nx;
    const float hy = dy / ny;
    const int countX = nx > 0 ? IntervalCount(x1, x2, dx, nx) : -1;
    const int countY = ny > 0 ? IntervalCount(y1, y2, dy, ny) : -1;
    canvas.SetLineStyle(LineStyle::Solid);

    for (int i = 0; i <= countX; ++i) {
        const float x = x1 + static_cast<float>(i) * hx;
        canvas.Line(x, y1, x, y2, i % nx == 0 ? kGreen : kYellow);
    }
    for (int j = 0; j <= countY; ++j) {
        const float y = y1 + static_cast<float>(j) * hy;
        canvas.Line(x1, y, x2, y, j % ny == 0 ? kGreen : kYellow);
    }
    for (int i = 0; i <= countX; i += nx) {
        const float x = x1 + static_cast<float>(i) * hx;
        canvas.Print(x, 0, Label(x, kXLabelFormat));
    }
    // The label nearest 0 would cover the x labels.
    for (int j = 0; j <= countY; j += ny) {
        const float y = y1 + static_cast<float>(j) * hy;
        if (std::fabs(y) > hy) canvas.Print(0, y, Label(y, yLabelFormat));
    }
}

TickRange TickStep(float s0, float lo0, float hi0) {
    const double lower = std::isfinite(lo0) ? lo0 : 0.0;
    const double upper = std::isfinite(hi0) ? hi0 : 0.0;
    double s = s0, lo = 0, hi = 0, count = 10;
    // Each pass doubles the step, so the count falls below 6 within the float range.
    while (count >= 6 && std::isfinite(s)) {
        s *= 2;
        lo = lower < 0 ? -s * std::ceil(-lower / s) : 0.0;
        hi = s * std::max(1.0, std::ceil(upper / s));
        count = RoundHalfEven((hi - lo) / s);
    }
    return {static_cast<float>(lo), static_cast<float>(hi), static_cast<float>(s)};
}

} // namespace zarnfoil::ui
