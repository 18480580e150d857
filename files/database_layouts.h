// The two plain layouts of the public airfoil databases and of most airfoil tools, read from
// a file that has none of the four layout keywords:
//   wrap-around: a title line, then "x y" pairs from a trailing edge over one surface to the
//                leading edge and back over the other (either way round);
//   split:       a title line, a line with the point counts of the upper and the lower
//                surface, then each surface from the leading edge to the trailing edge.
// Lines starting with "#" and blank lines are skipped. The points come out in the program's
// order (lower trailing edge, leading edge, upper trailing edge), consecutive repeats merged.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zarnfoil {

struct DatabasePoint {
    float x = 0, y = 0;
    int line = 0; // line of the file
};

struct DatabaseSection {
    enum class Layout { WrapAround, Split };
    Layout layout = Layout::WrapAround;
    std::string title;
    std::vector<DatabasePoint> points; // lower trailing edge ... upper trailing edge
    bool reversed = false;             // wrap-around: listed from the upper trailing edge
    std::vector<std::string> notes;    // repeated points merged
};

// `lines` are the file's lines (line k at index k - 1); `name` names the file in notes.
// Nothing when the lines fit neither layout.
std::optional<DatabaseSection> ReadDatabaseLayout(const std::vector<std::string>& lines,
                                                  const std::string& name);

// Twice the signed area of the closed polygon through points 1..n, positive when they run
// counter-clockwise; the program's order runs clockwise.
template <class XAt, class YAt> double TwiceSignedArea(int n, XAt x, YAt y) {
    double area = 0.0;
    for (int i = 1; i <= n; ++i) {
        const int next = i == n ? 1 : i + 1;
        area += static_cast<double>(x(i)) * y(next) - static_cast<double>(x(next)) * y(i);
    }
    return area;
}

} // namespace zarnfoil
