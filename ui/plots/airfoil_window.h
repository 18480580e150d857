// Form_PW, "Airfoil y(x)": the section in its chord-aligned frame before smoothing (red, with
// point markers) and after (black), true to shape, with the section's key numbers.
#pragma once

#include "ui/plots/plot_window.h"

namespace zarnfoil::ui {

void DrawAirfoilPlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w, float h);

class Form_PW : public PlotWindow {
    Q_OBJECT
  public:
    explicit Form_PW(const FoilDocument& document, QWidget* parent = nullptr);

  protected:
    void ShowValues() override;
    void Draw(Canvas& canvas, float xc, float yc, float w, float h) const override;
    void ShowReadout(float x, float y) override;

  private:
    QLabel* Lbl_x0;
    QLabel* Lbl_y0;
    QLabel* Label_x;
    QLabel* Label_y;
    QLabel* Lbl_chord;
    QLabel* Lbl_thick;
    QLabel* Lbl_xthick;
    QLabel* Lbl_eps;
    QLabel* Lbl_mu;
    QLabel* Lbl_ml;
};

} // namespace zarnfoil::ui
