// Form_TC, "Thickness(x) & Camber(x)": half thickness (blue) and camber (red) along the new
// X-grid, before smoothing dotted and after smoothing solid, with the thickness figures.
#pragma once

#include "ui/plots/plot_window.h"

namespace zarnfoil::ui {

void DrawThicknessCamberPlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w,
                             float h);

class Form_TC : public PlotWindow {
    Q_OBJECT
  public:
    explicit Form_TC(const FoilDocument& document, QWidget* parent = nullptr);

  protected:
    void ShowValues() override;
    void Draw(Canvas& canvas, float xc, float yc, float w, float h) const override;
    void ShowReadout(float x, float y) override;

  private:
    QLabel* Label_x;
    QLabel* Label_y;
    QLabel* Lbl_thick;
    QLabel* Lbl_xthick;
    QLabel* Lbl_mu;
    QLabel* Lbl_ml;
};

} // namespace zarnfoil::ui
