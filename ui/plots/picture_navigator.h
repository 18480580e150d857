// How a picture's view follows the mouse: the wheel zooms about the cursor, a left drag pans
// with the drawing following at once, a box drawn with Ctrl + left button (or the right button,
// where it edits nothing) zooms to the box, Shift + left drag zooms by its height when
// released, and a double click returns to the first view. A left click that did not drag is
// handed to the window.
#pragma once

#include "ui/plots/picture_area.h"
#include "ui/plots/plot_view.h"

#include <QObject>
#include <QPoint>
#include <QRectF>

#include <functional>

namespace zarnfoil::ui {

struct NavigationRules {
    ZoomScale zoomScale = ZoomScale::ViewWidth; // what the Shift + drag zoom measures against
    ViewAxes axes = ViewAxes::Both; // a picture that shares another's t axis moves along it only
    bool trueToShape = false;       // the view keeps one world unit as long in x as in y
    bool rightButtonBox = true;     // the right button draws a zoom box (else it is the window's)
    bool shiftZoom = true;          // Shift + left drag zooms by its height
};

class PictureNavigator : public QObject {
    Q_OBJECT
  public:
    // `view` is the view the picture shows (shared with other pictures, perhaps); `redraw` draws
    // every picture showing it, `reset` returns it to the first view and draws.
    PictureNavigator(PictureArea& picture, PlotView& view, NavigationRules rules,
                     std::function<void()> redraw, std::function<void()> reset);

  signals:
    // A left click without modifier keys that did not drag.
    void clicked(const zarnfoil::ui::PictureMouse& mouse);
    // The user moved the view away from the first one (before it is drawn).
    void navigated();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Gesture { None, Click, Pan, Box, ShiftZoom, Ignore };

    void Press(const QMouseEvent& event);
    void Move(const QMouseEvent& event);
    void Release(const QMouseEvent& event);
    void Wheel(const QWheelEvent& event);
    bool Dragged(QPoint at) const;
    void PanTo(QPointF pixel);
    void Changed();

    PictureArea& picture_;
    PlotView& view_;
    NavigationRules rules_;
    std::function<void()> redraw_, reset_;

    Gesture gesture_ = Gesture::None;
    QPoint pressPixel_;
    PlotView pressView_;
    WorldRect pressWorld_;
    QRectF pressPlot_;
};

} // namespace zarnfoil::ui
