// The airfoil window and its drawing.
#include "ui/plots/airfoil_window.h"

#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"

#include <QLabel>

namespace zarnfoil::ui {
namespace {

// The legend sits in the picture's own top band, so the picture takes the legend's strip too.
const PlotDesign kDesign{.objectName = "Form_PW",
                         .caption = "Airfoil y(x)",
                         .clientTwips = QSize(10590, 4215),
                         .pictureTwips = QRect(1080, 0, 9375, 4095),
                         .keepProportions = true,
                         .trueToShape = true,
                         .pictureName = "airfoil",
                         .frame = {}};

} // namespace

void DrawAirfoilPlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w, float h) {
    BeginPlot(canvas, xc, yc, w, h);
    canvas.Title(Edge::Bottom, 0, "x/c");
    canvas.Title(Edge::Left, 0, "y/c");
    canvas.Legend({"smooth airfoil", kBlack});
    canvas.Legend({"initial airfoil", kRed, LineStyle::Solid, true, LegendMark::Plus});
    if (!SectionIsDrawable(s)) return;
    // One chord from the leading-edge point, 0.2 either side of its ordinate.
    const float x0 = s.XP(s.ILE), y0 = s.YP(s.ILE);
    DrawGrid(canvas, x0, x0 + s.CHORD_N, y0 - 0.2f, y0 + 0.2f, 0.2f, 10, 0.1f, 5);
    canvas.SetLineStyle(LineStyle::Solid);
    DrawCurve(canvas, s.NP, s.XP, s.YP, kRed);
    // Markers keep their size on screen whatever the zoom.
    DrawMarkers(canvas, s.NP, s.XP, s.YP, w / 150, h / 75, kRed);
    DrawCurve(canvas, s.NP, s.XP, s.Y_SM, kBlack);
}

Form_PW::Form_PW(const FoilDocument& document, QWidget* parent)
    : PlotWindow(document, kDesign, parent) {
    const FoilState& s = s_;
    Lbl_x0 = AddLabel("Lbl_x0", "x0=", 960);
    Lbl_y0 = AddLabel("Lbl_y0", "y0=", 1200);
    Label_x = AddLabel("Label_x", "x=", 1680);
    Label_y = AddLabel("Label_y", "y=", 1920);
    Lbl_chord = AddLabel("Lbl_chord", "chord=", 2400);
    Lbl_thick = AddLabel("Lbl_thick", "thick=", 2640);
    Lbl_xthick = AddLabel("Lbl_xthick", "x_thick=", 2880);
    Lbl_eps = AddLabel("Lbl_eps", "eps=", 3120);
    Lbl_mu = AddLabel("Lbl_mu", "mu=", 3600);
    Lbl_ml = AddLabel("Lbl_ml", "ml=", 3840);

    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    FindBounds(s.NP, s.XP, s.YP, xmin, xmax, ymin, ymax, 0);
    ShowValues();
    SetupView(view_, xmin, xmax, ymin, ymax, PictureAspect());
    DrawView();
    FinishLoad();
}

void Form_PW::ShowValues() {
    Lbl_chord->setText(LabelText("chord=", s_.CHORD, "#0.000"));
    Lbl_thick->setText(LabelText("thick=", 2 * s_.HTMAX, "#0.0000"));
    Lbl_xthick->setText(LabelText("x_thick=", s_.XHTMAX, "#0.000"));
    Lbl_eps->setText(LabelText("eps=", s_.EPSIL, "#0.000") + QString::fromUtf8("\u00b0"));
    // Both surfaces are put out on the new X-grid, so both show its node count.
    Lbl_mu->setText(LabelText("mu=", s_.NNODES, "#0"));
    Lbl_ml->setText(LabelText("ml=", s_.NNODES, "#0"));
    Lbl_x0->setText(LabelText("x0=", s_.XLE, "#0.000"));
    Lbl_y0->setText(LabelText("y0=", s_.YLE, "#0.000"));
}

void Form_PW::Draw(Canvas& canvas, float xc, float yc, float w, float h) const {
    DrawAirfoilPlot(canvas, s_, xc, yc, w, h);
}

void Form_PW::ShowReadout(float x, float y) {
    if (!SectionIsDrawable(s_) || s_.CHORD_N == 0) return;
    // Relative to the leading-edge point, in chords.
    Label_x->setText(LabelText("x=", (x - s_.XP(s_.ILE)) / s_.CHORD_N, "#0.00000"));
    Label_y->setText(LabelText("y=", (y - s_.YP(s_.ILE)) / s_.CHORD_N, "#0.00000"));
}

} // namespace zarnfoil::ui
