// Where a point of the section stands in the file it was read from, for messages: points are
// numbered from the lower trailing edge, which need not be the order of the file's lines.
#pragma once

#include "core/foil_state.h"

#include <string>

namespace zarnfoil {

// " (line L of NAME)" for point i read from a file, else empty.
std::string PointLine(const FoilState& s, int i);

} // namespace zarnfoil
