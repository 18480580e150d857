// STL slab: the section wall, the two side planes triangulated as fans to the four corners
// of the outer boundary, and the four outer planes. Facets run counter-clockwise seen from
// outside the slab, so their right-hand normals point out of the flow domain.
#include "files/stl_export.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "core/text_format.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil {
namespace {

struct Vertex {
    float x, y, z;
};

enum Label {
    kWall = 1,
    kSideLow = 2,
    kSideHigh = 3,
    kUpper = 4,
    kUpstream = 5,
    kLower = 6,
    kDownstream = 7
};

// A coordinate of 1e6 or more would read "Infinity" in its cell.
constexpr double kLargestCoordinate = 999999.0;

// The unit normal of the turn a -> b -> c, or 0 0 0 for a facet without area.
Vertex UnitNormal(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0)) return {0.0f, 0.0f, 0.0f};
    return {static_cast<float>(nx / length), static_cast<float>(ny / length),
            static_cast<float>(nz / length)};
}

class SolidWriter {
  public:
    SolidWriter(TextLines& stl, TextLines& labels) : stl_(stl), labels_(labels) {}

    void Facet(Vertex a, Vertex b, Vertex c, Label label) {
        const Vertex n = UnitNormal(a, b, c);
        // keyword fields, padded to the next 14-column print zone before the coordinates
        stl_.Line("facet normal                " + FormatRow({n.x, n.y, n.z}) + " ");
        stl_.Line("outer loop  ");
        for (const Vertex& v : {a, b, c})
            stl_.Line("vertex        " + FormatRow({v.x, v.y, v.z}) + " ");
        stl_.Line("endloop   ");
        stl_.Line("endfacet  ");
        labels_.Line(Sprintf(" %d ", static_cast<int>(label)));
    }

  private:
    TextLines& stl_;
    TextLines& labels_;
};

} // namespace

StlContour ClosedContour(const FoilState& s) {
    StlContour c;
    for (int k = 1; k <= s.NOUT; ++k) {
        c.x.push_back(s.XOUT(k));
        c.y.push_back(s.YOUT(k));
    }
    if (s.NOUT >= 1 && s.YOUT(1) != s.YOUT(s.NOUT)) { // an open trailing edge
        c.x.push_back(s.XOUT(1));
        c.y.push_back(s.YOUT(1));
    }
    return c;
}

std::optional<std::string> CheckStlDomain(const StlDomain& d, const StlContour& c) {
    const std::pair<const char*, float> values[] = {{"delx - =", d.ahead},
                                                    {"delx + =", d.behind},
                                                    {"dely =", d.side},
                                                    {"delz =", d.span},
                                                    {"Chord length", d.chord}};
    for (const auto& [caption, value] : values)
        if (!std::isfinite(value) || !(value > 0))
            return Sprintf("STL \"%s\" is %g: the margins, the span and the chord length of the "
                           "STL solid must be numbers above 0 (margins and span in chords).",
                           caption, static_cast<double>(value));
    if (c.x.empty()) return std::string("There is no contour to build the STL solid round.");
    const auto [xLow, xHigh] = std::minmax_element(c.x.begin(), c.x.end());
    const auto [yLow, yHigh] = std::minmax_element(c.y.begin(), c.y.end());
    const struct {
        bool clear;
        const char* caption;
        float margin;
        const char* boundary;
        const char* reach;
        float value;
    } bounds[] = {
        {-d.ahead < *xLow, "delx - =", d.ahead, "upstream", "x", *xLow},
        {1.0f + d.behind > *xHigh, "delx + =", d.behind, "downstream", "x", *xHigh},
        {d.side > *yHigh, "dely =", d.side, "upper", "y", *yHigh},
        {-d.side < *yLow, "dely =", d.side, "lower", "y", *yLow},
    };
    for (const auto& b : bounds)
        if (!b.clear)
            return Sprintf("The STL domain's %s boundary (\"%s\" %g chords) does not clear the "
                           "section, which reaches %s = %g chords.",
                           b.boundary, b.caption, static_cast<double>(b.margin), b.reach,
                           static_cast<double>(b.value));
    const double extent =
        std::max({1.0 + static_cast<double>(d.behind), static_cast<double>(d.ahead),
                  static_cast<double>(d.side), static_cast<double>(d.span)}) *
        static_cast<double>(d.chord);
    if (!(extent <= kLargestCoordinate))
        return Sprintf("The STL solid would reach %g, more than its 10-character coordinates "
                       "hold (%g): use a smaller \"Chord length\" or smaller margins.",
                       extent, kLargestCoordinate);
    return std::nullopt;
}

void WriteStlSolid(TextLines& stl, TextLines& labels, const FoilState& s, const StlContour& c,
                   const StlDomain& d) {
    const float scale = d.chord;
    const float top = d.span * scale;
    const auto level = [top](int l) { return l == 0 ? 0.0f : top; };
    struct Corner {
        float x, y;
    };
    const float xmin = -d.ahead * scale, xmax = (1.0f + d.behind) * scale;
    const float ymin = -d.side * scale, ymax = d.side * scale;
    const Corner C1{xmax, ymax}, C2{xmin, ymax}, C3{xmin, ymin}, C4{xmax, ymin};
    const auto At = [&level](const Corner& corner, int l) {
        return Vertex{corner.x, corner.y, level(l)};
    };
    // contour point k at z = 0 (level 0) or on top of the slab (level 1)
    const auto P = [&](int k, int l) {
        const auto at = static_cast<std::size_t>(k - 1);
        return Vertex{c.x[at] * scale, c.y[at] * scale, level(l)};
    };
    const int N2 = c.N2();
    const int M1 = static_cast<int>(RoundHalfEven(s.NNODES / 2.0 + 1.0));
    const int M2 = s.NNODES; // the leading edge
    const int M3 = N2 - M1 + 1;

    SolidWriter out(stl, labels);
    stl.Line("solid     ");
    labels.Line(" 8 ");

    // The side planes' fan moves on from one corner to the next at contour point k, with one
    // triangle along the outer boundary on each side plane.
    const auto Turn = [&](int k, const Corner& from, const Corner& to) {
        out.Facet(P(k, 0), At(to, 0), At(from, 0), kSideLow);
        out.Facet(P(k, 1), At(from, 1), At(to, 1), kSideHigh);
    };
    Corner A = C1;
    for (int i = 2; i <= N2; ++i) {
        const int k = i - 1;
        if (k == M1) {
            Turn(k, C1, C2);
            A = C2;
        } else if (k == M2) {
            Turn(k, C2, C3);
            A = C3;
        } else if (k == M3) {
            Turn(k, C3, C4);
            A = C4;
        }
        out.Facet(P(i, 1), P(i, 0), P(k, 0), kWall);
        out.Facet(P(i, 1), P(k, 0), P(k, 1), kWall);
        out.Facet(P(k, 0), P(i, 0), At(A, 0), kSideLow);
        out.Facet(P(i, 1), P(k, 1), At(A, 1), kSideHigh);
        if (i == N2) Turn(i, C4, C1); // back to the first corner, closing the fan
    }

    out.Facet(At(C1, 0), At(C2, 1), At(C1, 1), kUpper);
    out.Facet(At(C2, 1), At(C1, 0), At(C2, 0), kUpper);
    out.Facet(At(C2, 1), At(C2, 0), At(C3, 0), kUpstream);
    out.Facet(At(C2, 1), At(C3, 0), At(C3, 1), kUpstream);
    out.Facet(At(C3, 0), At(C4, 0), At(C4, 1), kLower);
    out.Facet(At(C3, 0), At(C4, 1), At(C3, 1), kLower);
    out.Facet(At(C4, 0), At(C1, 1), At(C4, 1), kDownstream);
    out.Facet(At(C4, 0), At(C1, 0), At(C1, 1), kDownstream);

    stl.Line("endsolid  ");
}

} // namespace zarnfoil
