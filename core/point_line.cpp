// File lines of points.
#include "core/point_line.h"

namespace zarnfoil {

std::string PointLine(const FoilState& s, int i) {
    if (i < 1 || i > kMaxPoints || s.LINE(i) <= 0) return {};
    std::string text = " (line " + std::to_string(s.LINE(i));
    if (!s.INNAME.empty()) text += " of " + s.INNAME;
    return text + ")";
}

} // namespace zarnfoil
