// What the airfoil, thickness-and-camber and leading-edge windows share: one picture with its
// view, a column of labels at the left, navigation by mouse and wheel (Home or a double click
// returns to the first view), the read-out, the resize rule, the picture menu, and following
// the section: every change redraws the picture and the value labels, a new section closes the
// window. Each window says what it draws and where it departs.
#pragma once

#include "core/foil_state.h"
#include "ui/main/foil_document.h"
#include "ui/plots/canvas.h"
#include "ui/plots/picture_area.h"
#include "ui/plots/plot_layout.h"
#include "ui/plots/plot_view.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;

namespace zarnfoil::ui {

// A label's text: its prefix and the value in a picture format ("x=" and "#0.000").
QString LabelText(const char* prefix, float value, const char* picture);

// Design of a window, in twips.
struct PlotDesign {
    const char* objectName;
    const char* caption;
    QSize clientTwips;
    QRect pictureTwips;
    bool keepProportions;    // else the picture follows the window in both directions
    bool trueToShape;        // zoom boxes keep one world unit as long in x as in y
    const char* pictureName; // in the name proposed for a saved picture
    Frame frame;
};

class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    PictureArea& Picture1() { return *picture_; }
    const PictureArea& Picture1() const { return *picture_; }
    const PlotView& View() const { return view_; }
    const LayoutState& Layout() const { return layout_; }

    // Redraws the picture for the visible rectangle with centre (xc, yc) and size w by h.
    void DrawPlot(float xc, float yc, float w, float h);
    // Back to the view the window had when it was loaded.
    void ResetView();

  protected:
    PlotWindow(const FoilDocument& document, const PlotDesign& design, QWidget* parent);

    // A label of the column at the left.
    QLabel* AddLabel(const char* name, const char* text, int topTwips);
    // Last step of a load: remembers the view for "Reset view".
    void FinishLoad() { loadedView_ = view_; }
    // Height / width of the picture's plot area as it is now.
    float PictureAspect() const;
    void DrawView() { DrawPlot(view_.VIEW_XC, view_.VIEW_YC, view_.VIEW_W, view_.VIEW_H); }

    virtual void Draw(Canvas& canvas, float xc, float yc, float w, float h) const = 0;
    virtual void ShowReadout(float x, float y) = 0;
    // The value labels, from the state as it is now (windows that have them).
    virtual void ShowValues() {}

    void resizeEvent(QResizeEvent* event) override;

    const FoilState& s_;
    PlotView view_;

  private:
    PlotDesign design_;
    LayoutState layout_;
    PictureArea* picture_;
    PlotView loadedView_;
    QSize askedFrom_; // size at the last height asked for: the window system may refuse it
};

} // namespace zarnfoil::ui
