// The computing half of a smoothing run: leading edge and chord, the chord-normalised frame,
// the working weights, the parameter T, the end conditions, the band smoothing and the final
// splines. The output phase (tables, exports, STL) builds on what it leaves.
#pragma once

#include "core/band_smooth.h"
#include "core/foil_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zarnfoil {

// Run parameters owned by the window that starts the run (each window keeps its own).
struct RunParams {
    float DSMOOTH = 0;     // smoothing strip of this run
    float DSMOOTH_OLD = 0; // strip of the previous run from the same window
    std::int16_t OUTSECT = 1; // output level: 1 tables and exports, above 1 also the STL solid
};

// Moments over T of the smoothed (M_SM) and the unsmoothed (M_P) contour.
struct RunSplines {
    PointArray M_SM, M_P;
    SmoothingOutcome smoothing; // how the band smoothing ended (converged when not smoothing)
};

// Why a section cannot be run; the message names the point at fault.
struct RunRefusal {
    std::string message;
};

// Steps up to the final splines. Refuses, before smoothing, a section it cannot handle:
// fewer than 3 points, a coordinate or weight that is not finite, a zero reference length,
// or T not strictly increasing. On refusal the state is partly written: callers run on a copy.
std::optional<RunRefusal> SmoothContour(FoilState& s, RunParams& p, RunSplines& splines);

// The smoothing strip of a command: the text box's number when smoothing is checked and the
// number is above 0, else 0.
float SmoothStrip(double textValue, bool smoothingChecked);

} // namespace zarnfoil
