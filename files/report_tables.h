// The report file's title, parameter line and tables, and the second table file: the
// point-by-point record of a run for the engineer to check.
#pragma once

#include "core/foil_state.h"
#include "core/section_results.h"
#include "files/text_lines.h"

namespace zarnfoil {

// Title line (the full 80-character field) and "Epsilon= ... Chord= ... Del Smooth= ...".
void WriteReportHeader(TextLines& report, const FoilState& s, float DSMOOTH);

// Derivative, input-and-transformation and thickness-and-camber tables into the report file,
// the smoothed contour with signed abscissae into the second table file.
void WriteReportTables(TextLines& report, TextLines& second, const FoilState& s,
                       const SectionResults& r);

} // namespace zarnfoil
