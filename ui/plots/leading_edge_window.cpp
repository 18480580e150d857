// The leading-edge window and its drawing.
#include "ui/plots/leading_edge_window.h"

#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"

#include <QLabel>

namespace zarnfoil::ui {
namespace {

const PlotDesign kDesign{.objectName = "Form_Y",
                         .caption = "Leading edge Y(t)",
                         .clientTwips = QSize(10575, 3975),
                         .pictureTwips = QRect(1080, 0, 9375, 3855),
                         .keepProportions = false,
                         .trueToShape = false,
                         .pictureName = "leading_edge",
                         .frame = {}};

} // namespace

void DrawLeadingEdgePlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w, float h) {
    BeginPlot(canvas, xc, yc, w, h);
    canvas.Title(Edge::Bottom, 0, "t");
    canvas.Title(Edge::Left, 0, "y/c");
    canvas.Legend({"smooth airfoil", kBlack});
    canvas.Legend({"initial airfoil", kRed, LineStyle::Solid, false, LegendMark::Plus});
    if (!SectionIsDrawable(s)) return;
    DrawGrid(canvas, s.T(1), s.T(s.NP), -0.1f, 0.1f, 0.1f, 10, 0.05f, 10);
    canvas.SetLineStyle(LineStyle::Solid);
    DrawMarkers(canvas, s.NP, s.T, s.YP, w / 150, h / 75, kRed);
    DrawCurve(canvas, s.NP, s.T, s.Y_SM, kBlack);
}

Form_Y::Form_Y(const FoilDocument& document, QWidget* parent)
    : PlotWindow(document, kDesign, parent) {
    Label_x = AddLabel("Label_x", "x=", 0);
    Label_t = AddLabel("Label_t", "t=", 240);
    Label_y = AddLabel("Label_y", "Y=", 480);
    // The same rectangle around the leading edge for every section; it first draws when the
    // window is first shown.
    SetupView(view_, -0.5f, 0.5f, -0.1f, 0.1f);
    FinishLoad();
}

void Form_Y::Draw(Canvas& canvas, float xc, float yc, float w, float h) const {
    DrawLeadingEdgePlot(canvas, s_, xc, yc, w, h);
}

void Form_Y::ShowReadout(float t, float y) {
    Label_t->setText(LabelText("t=", t, "#0.000##"));
    Label_x->setText(LabelText("x=", t * t, "#0.000##"));
    Label_y->setText(LabelText("Y=", y, "#0.000##"));
}

} // namespace zarnfoil::ui
