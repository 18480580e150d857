// Form_Y, "Leading edge Y(t)": the ordinate against the curve parameter t (t^2 = x) around
// the leading edge, before smoothing as red markers and after smoothing as a black curve.
#pragma once

#include "ui/plots/plot_window.h"

namespace zarnfoil::ui {

void DrawLeadingEdgePlot(Canvas& canvas, const FoilState& s, float xc, float yc, float w, float h);

class Form_Y : public PlotWindow {
    Q_OBJECT
  public:
    explicit Form_Y(const FoilDocument& document, QWidget* parent = nullptr);

  protected:
    void Draw(Canvas& canvas, float xc, float yc, float w, float h) const override;
    void ShowReadout(float t, float y) override;

  private:
    QLabel* Label_x;
    QLabel* Label_t;
    QLabel* Label_y;
};

} // namespace zarnfoil::ui
