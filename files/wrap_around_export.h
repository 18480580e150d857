// The smoothed section in the wrap-around layout that the airfoil tools and databases read:
// the title, then "x y" from the trailing edge over the upper surface to the leading edge and
// back over the lower surface, in the run's normalised frame, with eight decimals and lines
// ended by line feeds. Written whole or not at all, like every output file.
#pragma once

#include "core/foil_state.h"

#include <optional>
#include <string>
#include <vector>

namespace zarnfoil {

inline constexpr int kMaxExportPoints = 10001;

struct ExportedContour {
    std::vector<float> x, y; // upper trailing edge ... leading edge ... lower trailing edge
};

// The exported contour of the last run (XOUT, YOUT) when `points` is 0, else `points` points
// (3 to kMaxExportPoints) resampled from the smoothed spline, clustered at both ends with the
// leading-edge point kept. Empty when the section holds no run or `points` is out of range.
ExportedContour ExportContour(const FoilState& s, int points);

// The file's text.
std::string WrapAroundText(const FoilState& s, const ExportedContour& c);

// Writes the file at `path`. Nothing on success, else why, and the file is unchanged.
std::optional<std::string> WriteWrapAround(const FoilState& s, int points, const std::string& path);

} // namespace zarnfoil
