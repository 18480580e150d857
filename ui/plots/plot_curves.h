// The parts every plot draws: the frame of a redraw (clear, white, the visible rectangle),
// curves as polylines, and "+" markers.
#pragma once

#include "core/foil_state.h"
#include "ui/plots/canvas.h"

#include <QColor>

#include <cstdint>

namespace zarnfoil::ui {

// Clears the picture to white, gives it its frame and maps the rectangle with centre (xc, yc)
// and size w by h onto its plot area.
void BeginPlot(Canvas& canvas, float xc, float yc, float w, float h, const Frame& frame = {});

// n - 1 segments from point i - 1 to point i, in the canvas's current line style.
void DrawCurve(Canvas& canvas, int n, const PointArray& xs, const PointArray& ys,
               const QColor& color);

// A "+" at every point: a line from x - mx to x + mx and one from y - my to y + my.
void DrawMarkers(Canvas& canvas, int n, const PointArray& xs, const PointArray& ys, float mx,
                 float my, const QColor& color);

// The state holds a run's results the plots can index: points 1..NP with the leading edge
// among them, and a grid within capacity.
bool SectionIsDrawable(const FoilState& s);

} // namespace zarnfoil::ui
