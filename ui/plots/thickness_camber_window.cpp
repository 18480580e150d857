// The thickness and camber window and its drawing.
#include "ui/plots/thickness_camber_window.h"

#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"

#include <QLabel>

namespace zarnfoil::ui {
namespace {

// The legend sits in the picture's own top band, so the picture takes the legend's strip too.
const PlotDesign kDesign{.objectName = "Form_TC",
                         .caption = "Thickness(x) & Camber(x)",
                         .clientTwips = QSize(10590, 4215),
                         .pictureTwips = QRect(1080, 0, 9375, 4095),
                         .keepProportions = true,
                         .trueToShape = false,
                         .pictureName = "thickness_camber",
                         .frame = {}};

} // namespace

void DrawThicknessCamberPlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w,
                             float h) {
    BeginPlot(canvas, xc, yc, w, h);
    canvas.Title(Edge::Bottom, 0, "x/c");
    canvas.Title(Edge::Left, 0, "y/c");
    canvas.Legend({"half thickness", kBlue});
    canvas.Legend({"camber", kRed});
    canvas.Legend({"dotted lines - initial values (before smoothing)", kBlack, LineStyle::Dotted});
    if (!SectionIsDrawable(s)) return;
    // One chord from the first node; in y tied to the first half thickness, not to the data.
    const float x0 = s.XNODES(1), t0 = s.HTHICK(1);
    DrawGrid(canvas, x0, x0 + s.CHORD_N, t0 - 0.05f, t0 + 0.1f, 0.2f, 10, 0.05f, 10);
    canvas.SetLineStyle(LineStyle::Dotted);
    DrawCurve(canvas, s.NNODES, s.XNODES, s.HTHICK, kBlue);
    DrawCurve(canvas, s.NNODES, s.XNODES, s.CAMBER, kRed);
    canvas.SetLineStyle(LineStyle::Solid);
    DrawCurve(canvas, s.NNODES, s.XNODES, s.HTHICK_SM, kBlue);
    DrawCurve(canvas, s.NNODES, s.XNODES, s.CAMBER_SM, kRed);
}

Form_TC::Form_TC(const FoilDocument& document, QWidget* parent)
    : PlotWindow(document, kDesign, parent) {
    const FoilState& s = s_;
    Label_x = AddLabel("Label_x", "x=", 240);
    Label_y = AddLabel("Label_y", "y=", 480);
    Lbl_thick = AddLabel("Lbl_thick", "thick=", 1200);
    Lbl_xthick = AddLabel("Lbl_xthick", "x_thick=", 1440);
    Lbl_mu = AddLabel("Lbl_mu", "mu=", 2160);
    Lbl_ml = AddLabel("Lbl_ml", "ml=", 2400);

    // Both curves before smoothing, with a tenth of their range added above and below.
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    FindBounds(s.NNODES, s.XNODES, s.HTHICK, xmin, xmax, ymin, ymax, 0);
    FindBounds(s.NNODES, s.XNODES, s.CAMBER, xmin, xmax, ymin, ymax, 1);
    const float m = 0.1f * (ymax - ymin);
    ymin -= m;
    ymax += m;
    ShowValues();
    SetupView(view_, xmin, xmax, ymin, ymax);
    DrawView();
    FinishLoad();
}

void Form_TC::ShowValues() {
    Lbl_thick->setText(LabelText("thick=", 2 * s_.HTMAX, "#0.0000"));
    Lbl_xthick->setText(LabelText("x_thick=", s_.XHTMAX, "#0.000"));
    Lbl_mu->setText(LabelText("mu=", s_.NNODES, "#0"));
    Lbl_ml->setText(LabelText("ml=", s_.NNODES, "#0"));
}

void Form_TC::Draw(Canvas& canvas, float xc, float yc, float w, float h) const {
    DrawThicknessCamberPlot(canvas, s_, xc, yc, w, h);
}

void Form_TC::ShowReadout(float x, float y) {
    if (!SectionIsDrawable(s_) || s_.CHORD_N == 0) return;
    Label_x->setText(LabelText("x=", (x - s_.XP(s_.ILE)) / s_.CHORD_N, "#0.000"));
    Label_y->setText(LabelText("y=", (y - s_.YP(s_.ILE)) / s_.CHORD_N, "#0.000"));
}

} // namespace zarnfoil::ui
