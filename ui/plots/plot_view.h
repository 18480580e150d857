// The view state of a picture and what sets it: the data bounds (FindBounds), the initial view
// (SetupView, anisotropic and isotropic), and zoom and pan by mouse.
#pragma once

#include "core/foil_state.h"
#include "ui/plots/picture_mouse.h"

#include <cstdint>

namespace zarnfoil::ui {

struct PlotView {
    float FULL_W = 1, FULL_H = 1;         // the data box: data bounds with their margins
    float BOX_X1 = 0, BOX_Y1 = 0;         // its lower corner
    float BOX_X2 = 1, BOX_Y2 = 1;         // its upper corner
    float BOX_XC = 0.5f, BOX_YC = 0.5f;   // its centre
    float VIEW_W = 1, VIEW_H = 1;         // the visible world rectangle (zoom)
    float VIEW_XC = 0.5f, VIEW_YC = 0.5f; // its centre (pan)
    float DOWN_X = 0, DOWN_Y = 0;         // world position of the last button press
};

// Bounds of the points 1..n. keepY = 1 keeps the y bounds passed in, so a second call gives y
// bounds over two curves. With n = 0 the x bounds stay at 1e8 and -1e8.
void FindBounds(std::int16_t n, const PointArray& xs, const PointArray& ys, float& xmin,
                float& xmax, float& ymin, float& ymax, std::int16_t keepY);

// The data box with 1 % margins becomes the visible rectangle. A side without extent (one
// point, a flat curve, no data at all) takes the length of the other side, or 1.
void SetupView(PlotView& view, float xmin, float xmax, float ymin, float ymax);

// The same, then widened in x or y to the picture's height/width, so that one world unit has
// the same length on screen in x and y.
void SetupView(PlotView& view, float xmin, float xmax, float ymin, float ymax, float pictureAspect);

// What the zoom factor is measured against.
enum class ZoomScale { ViewWidth, ViewHeight };

void PressView(PlotView& view, const PictureMouse& press);

// Left release: with a modifier key held a zoom (released above the press point zooms out,
// below zooms in, the centre stays), without one a pan that makes the drawing follow the
// mouse. Other buttons leave the view. A step that would leave the number range is not taken.
void ReleaseView(PlotView& view, const PictureMouse& release, ZoomScale scale);

} // namespace zarnfoil::ui
