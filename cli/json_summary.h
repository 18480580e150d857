// A JSON summary of the section after a run, for scripts that process many sections.
#pragma once

#include "core/fairness_report.h"
#include "core/foil_state.h"

#include <iosfwd>

namespace zarnfoil::batch {

// Counts, leading edge, chord, angle, thickness, weights, end conditions, the fairness report
// of the last run, and the point and grid arrays. Numbers are the shortest decimals that read
// back to the same 32-bit values.
void WriteJsonSummary(std::ostream& out, const FoilState& s, const FairnessReport& fairness);

} // namespace zarnfoil::batch
