// Frame, curves and markers.
#include "ui/plots/plot_curves.h"

#include "ui/plots/plot_colors.h"

namespace zarnfoil::ui {

void BeginPlot(Canvas& canvas, float xc, float yc, float w, float h, const Frame& frame) {
    canvas.Clear(kWhite);
    canvas.SetForeground(kBlack);
    canvas.SetFrame(frame);
    canvas.SetWorld(xc - w / 2, yc + h / 2, xc + w / 2, yc - h / 2);
}

void DrawCurve(Canvas& canvas, int n, const PointArray& xs, const PointArray& ys,
               const QColor& color) {
    for (int i = 2; i <= n; ++i)
        canvas.Line(xs(i - 1), ys(i - 1), xs(i), ys(i), color);
}

void DrawMarkers(Canvas& canvas, int n, const PointArray& xs, const PointArray& ys, float mx,
                 float my, const QColor& color) {
    for (int i = 1; i <= n; ++i) {
        const float x = xs(i), y = ys(i);
        canvas.Line(x - mx, y, x + mx, y, color);
        canvas.Line(x, y - my, x, y + my, color);
    }
}

bool SectionIsDrawable(const FoilState& s) {
    return s.NP >= 1 && s.NP <= kMaxPoints && s.ILE >= 1 && s.ILE <= s.NP && s.NNODES >= 1 &&
           s.NNODES <= kMaxPoints;
}

} // namespace zarnfoil::ui
