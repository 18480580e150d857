// The two pictures of the Cp window: Cp over x and Cp over t = ±sqrt(x), each on black with a
// green grid and white labels, the previous curve in red and the newest in white; over x also
// the yellow mark at the critical Cp. Negative Cp lies at the top.
#pragma once

#include "ui/plots/canvas.h"
#include "ui/pressure/cp_scale.h"

namespace zarnfoil::ui {

// Pict_Cp. `previous` is null when no previous curve is stored.
void DrawCpOverX(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous);

// Pict_Cpt: the vertical grid lines carry t^2 (the x they stand for) and t.
void DrawCpOverT(Canvas& canvas, const CpScale& scale, const CpCurve& newest,
                 const CpCurve* previous);

// Pict_Cpt's caption line below its curves, where Cp above 1 never reaches: which model
// answered and its shocks.
void DrawCpCaption(Canvas& canvas, const QString& caption);

} // namespace zarnfoil::ui
