// The two pictures of the Cp window: Cp over x and Cp over t = ±sqrt(x), each on black with a
// green grid and white numbers along its edges, the previous curve in red and the newest in
// white, the critical Cp as a labelled yellow dotted line across the picture; over x also the
// yellow mark at the crossing of the critical Cp. Negative Cp lies at the top. Each picture
// names its curves in its legend.
#pragma once

#include "ui/plots/canvas.h"
#include "ui/plots/plot_view.h"
#include "ui/pressure/cp_scale.h"

#include <QString>

namespace zarnfoil::ui {

// What the legends say of each curve (Mach, alpha, CL and the model); `previous` is drawn only
// with a previous curve.
struct CpCaptions {
    QString newest, previous;
};

// The frames of the pictures: over x the captions take two legend rows; over t the numbers
// along the bottom are t with x = t^2 under them.
inline constexpr Frame kCpOverXFrame{2, 1};
inline constexpr Frame kCpOverTFrame{1, 2};

// The first view of each picture for a scale: x from the left margin before XMIN to just past
// XMAX, Cp from just above the axis end (at the top) to just below the axis top.
PlotView CpOverXView(const CpScale& scale);
PlotView CpOverTView(const CpScale& scale);

// Pict_Cp for the view. `previous` is null when no previous curve is stored.
void DrawCpOverX(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous, const PlotView& view, const CpCaptions& captions);

// Pict_Cpt for the view.
void DrawCpOverT(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous, const PlotView& view);

// Pict_Cpt's caption line below its curves, where Cp above 1 never reaches: which model
// answered and its shocks.
void DrawCpCaption(Canvas& canvas, const QString& caption);

} // namespace zarnfoil::ui
