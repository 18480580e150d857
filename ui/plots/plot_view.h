// The view state of a picture and what sets it: the data bounds (FindBounds), the initial view
// (SetupView, anisotropic and isotropic), zoom and pan by mouse release, and the steps of the
// navigation gestures (zoom about a point, zoom to a box, pan by a distance).
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

// The box from (xmin, ymin) to (xmax, ymax), without margins, becomes the data box and the
// visible rectangle (a picture whose first view is fixed by its own rules).
void ShowBox(PlotView& view, float xmin, float xmax, float ymin, float ymax);

// What the zoom factor is measured against.
enum class ZoomScale { ViewWidth, ViewHeight };

void PressView(PlotView& view, const PictureMouse& press);

// Left release: with a modifier key held a zoom (released above the press point zooms out,
// below zooms in, the centre stays), without one a pan that makes the drawing follow the
// mouse. Other buttons leave the view. A step that would leave the number range is not taken.
void ReleaseView(PlotView& view, const PictureMouse& release, ZoomScale scale);

// Which directions a gesture changes: pictures that share another picture's t axis move along
// it only.
enum class ViewAxes { Both, XOnly, YOnly };

// Zooms in by `factor` (out when below 1) keeping the world point (x, y) where it is on screen.
// A step to a view more than a million times smaller or larger than the data box, or out of
// the number range, is not taken; false then.
bool ZoomAbout(PlotView& view, float x, float y, float factor, ViewAxes axes = ViewAxes::Both);

// Shows the box between the world points (x1, y1) and (x2, y2). With a picture aspect (height /
// width of the plot area, > 0) the view keeps one world unit the same length in x and y, so
// the box is widened in x or y to those proportions. False when the box has no extent in a
// direction it sets, or is out of reach as for ZoomAbout.
bool ZoomToBox(PlotView& view, float x1, float y1, float x2, float y2, float pictureAspect = 0,
               ViewAxes axes = ViewAxes::Both);

// The view `from` moved so that the drawing follows the mouse by the world distance (dx, dy).
void PanFrom(PlotView& view, const PlotView& from, double dx, double dy,
             ViewAxes axes = ViewAxes::Both);

} // namespace zarnfoil::ui
