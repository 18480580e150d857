// The flow domain around the section as an ASCII STL slab for the Numeca mesher, with a
// label file that gives every facet its boundary.
#pragma once

#include "core/foil_state.h"
#include "files/text_lines.h"

#include <optional>
#include <string>
#include <vector>

namespace zarnfoil {

// The outer boundary when nothing else is asked for, in chords: 3 ahead and behind, 3 above
// and below; the slab is 0.1 thick.
inline constexpr float STLDX = 3.0f;
inline constexpr float STLDY = 3.0f;
inline constexpr float STLDZ = 0.1f;

// The domain round the normalised section (leading edge at 0, trailing edge at 1), in chords,
// and the chord the whole solid is scaled to.
struct StlDomain {
    float ahead = STLDX;  // upstream boundary ahead of the leading edge ("delx - =")
    float behind = STLDX; // downstream boundary behind the trailing edge ("delx + =")
    float side = STLDY;   // upper and lower boundaries from the chord line ("dely =")
    float span = STLDZ;   // thickness of the slab ("delz =")
    float chord = 1.0f;   // every coordinate is multiplied by it ("Chord length")
};

// The output contour closed for the solid: XOUT, YOUT 1..NOUT, then a copy of point 1 when the
// trailing edge is open (its two ordinates differ). Not limited by the section's capacity.
struct StlContour {
    std::vector<float> x, y;
    int N2() const { return static_cast<int>(x.size()); }
};
StlContour ClosedContour(const FoilState& s);

// Why the solid cannot be built round `contour` with `domain`, or nothing: a margin, span or
// chord that is not a number above 0, an outer boundary that does not clear the section, or a
// solid too large for the file's 10-character cells.
std::optional<std::string> CheckStlDomain(const StlDomain& domain, const StlContour& contour);

// The STL solid and its label file; NNODES places the fan's corner changes. Facet normals are
// the unit normals of the vertices' right-hand turn, pointing out of the flow domain.
void WriteStlSolid(TextLines& stl, TextLines& labels, const FoilState& s, const StlContour& contour,
                   const StlDomain& domain);

} // namespace zarnfoil
