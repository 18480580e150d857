// Grid lines, edge numbers and tick steps.
#include "ui/plots/plot_grid.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "ui/plots/plot_colors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarnfoil::ui {
namespace {

constexpr std::int64_t kFewest = 4; // fewer major lines in view: number finer steps
constexpr std::int64_t kMost = 16;  // more: number every 2nd, 5th ... of them
constexpr double kFarthest = 1e15;  // indices beyond this are not counted

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

// 1, 2, 5 times a power of ten: n = 0 gives 1, n = 1 gives 2, n = -1 gives 0.5.
double Sequence125(int n) {
    const int decade = n >= 0 ? n / 3 : -((-n + 2) / 3);
    const int within = n - 3 * decade;
    const double factor[3] = {1, 2, 5};
    return std::pow(10.0, decade) * factor[within];
}

int Decimals(double step) {
    for (int d = 0; d < 12; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) return d;
    }
    return 12;
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
    NumberEdges(canvas, x1, dx, kXLabelFormat, y1, dy, yLabelFormat);
}

EdgeScale ChooseEdgeScale(double origin, double major, double lo, double hi) {
    EdgeScale scale;
    if (!std::isfinite(origin) || !std::isfinite(lo) || !std::isfinite(hi) ||
        !std::isfinite(major) || !(major > 0))
        return scale;
    if (lo > hi) std::swap(lo, hi);
    const double shift = std::round(-origin / major);
    if (!(std::fabs(shift) < kFarthest)) return scale;
    scale.origin = origin + shift * major;
    if (std::fabs(scale.origin) < 1e-6 * major) scale.origin = 0;

    const double resolution = 1e-6 * std::max({std::fabs(lo), std::fabs(hi), 1e-30});
    auto count = [&](double step, std::int64_t& first, std::int64_t& last) {
        const double a = std::ceil((lo - scale.origin) / step - 1e-6);
        const double b = std::floor((hi - scale.origin) / step + 1e-6);
        if (!(std::fabs(a) < kFarthest && std::fabs(b) < kFarthest)) return kMost + 1;
        first = static_cast<std::int64_t>(a);
        last = static_cast<std::int64_t>(b);
        return last - first + 1;
    };
    int n = 0;
    std::int64_t first = 0, last = -1;
    std::int64_t shown = count(major, first, last);
    if (shown > kMost)
        while (shown > kMost && n < 300)
            shown = count(major * Sequence125(++n), first, last);
    else
        while (shown < kFewest && major * Sequence125(n - 1) > resolution && n > -300)
            shown = count(major * Sequence125(--n), first, last);
    if (shown > kMost) return scale;
    scale.step = major * Sequence125(n);
    scale.first = first;
    scale.last = last;
    return scale;
}

std::string EdgePicture(std::string_view picture, double step) {
    const std::size_t point = picture.find('.');
    const int has =
        point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
    const int needs = Decimals(step);
    if (needs <= has) return std::string(picture);
    return std::string(
               picture.substr(0, point == std::string_view::npos ? picture.size() : point)) +
           "." + std::string(static_cast<std::size_t>(needs), '0');
}

void NumberEdge(Canvas& canvas, Edge edge, int row, const EdgeScale& scale,
                std::string_view picture, double (*shown)(double)) {
    if (scale.last < scale.first) return;
    const std::string format = EdgePicture(picture, scale.step);
    for (std::int64_t k = scale.first; k <= scale.last; ++k) {
        double value = scale.origin + static_cast<double>(k) * scale.step;
        if (std::fabs(value) < 1e-9 * scale.step) value = 0;
        const double text = shown ? shown(value) : value;
        canvas.Number(edge, row, value, k,
                      QString::fromStdString(FormatPicture(static_cast<float>(text), format)));
    }
}

void NumberEdges(Canvas& canvas, double x1, double dx, std::string_view xPicture, double y1,
                 double dy, std::string_view yPicture) {
    const WorldRect& w = canvas.World();
    NumberEdge(canvas, Edge::Bottom, 0, ChooseEdgeScale(x1, dx, w.left, w.right), xPicture);
    NumberEdge(canvas, Edge::Left, 0, ChooseEdgeScale(y1, dy, w.bottom, w.top), yPicture);
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

double NiceStep(double range, int parts) {
    if (!std::isfinite(range) || !(range > 0) || parts < 1) return 1;
    const double rough = range / parts;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double f : {1.0, 2.0, 5.0})
        if (f * decade >= rough) return f * decade;
    return 10 * decade;
}

} // namespace zarnfoil::ui
