// The flow domain around the section as an ASCII STL slab for the Numeca mesher, with a
// label file that gives every facet its boundary.
#pragma once

#include "core/foil_state.h"
#include "files/text_lines.h"

namespace zarnfoil {

// Outer boundary, in chords: 3 ahead and behind, 3 above and below; the slab is 0.1 thick.
inline constexpr float STLDX = 3.0f;
inline constexpr float STLDY = 3.0f;
inline constexpr float STLDZ = 0.1f;

// Number of points of the closed contour. An open trailing edge is closed by a copy of
// point 1 at NOUT + 1, which needs NOUT <= 400.
int ClosedContourCount(const FoilState& s);

// Stores the closing point of an open trailing edge; returns the closed count N2.
int CloseContour(FoilState& s);

// The STL solid and its label file for a contour closed by CloseContour.
void WriteStlSolid(TextLines& stl, TextLines& labels, const FoilState& s, int N2);

} // namespace zarnfoil
