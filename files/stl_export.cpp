// STL slab: the section wall, the two side planes triangulated as fans to the four corners
// of the outer boundary, and the four outer planes. Facets run counter-clockwise seen from
// outside the slab; the written normals are zero.
#include "files/stl_export.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "core/text_format.h"

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

constexpr float XMIN = -STLDX, XMAX = 1.0f + STLDX, YMIN = -STLDY, YMAX = STLDY;

struct Corner {
    float x, y;
    Vertex At(int level) const { return {x, y, level == 0 ? 0.0f : STLDZ}; }
};
constexpr Corner C1{XMAX, YMAX}, C2{XMIN, YMAX}, C3{XMIN, YMIN}, C4{XMAX, YMIN};

class SolidWriter {
  public:
    SolidWriter(TextLines& stl, TextLines& labels) : stl_(stl), labels_(labels) {}

    void Facet(Vertex a, Vertex b, Vertex c, Label label) {
        // keyword fields, padded to the next 14-column print zone before the coordinates
        stl_.Line("facet normal                " + FormatRow({0.0f, 0.0f, 0.0f}) + " ");
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

int ClosedContourCount(const FoilState& s) {
    return s.YOUT(1) == s.YOUT(s.NOUT) ? s.NOUT : s.NOUT + 1;
}

int CloseContour(FoilState& s) {
    const int n2 = ClosedContourCount(s);
    if (n2 > s.NOUT) {
        s.XOUT(n2) = s.XOUT(1);
        s.YOUT(n2) = s.YOUT(1);
    }
    return n2;
}

void WriteStlSolid(TextLines& stl, TextLines& labels, const FoilState& s, int N2) {
    // contour point k at z = 0 (level 0) or z = STLDZ (level 1)
    const auto P = [&s](int k, int level) {
        return Vertex{s.XOUT(k), s.YOUT(k), level == 0 ? 0.0f : STLDZ};
    };
    const int M1 = static_cast<int>(RoundHalfEven(s.NNODES / 2.0 + 1.0));
    const int M2 = s.NNODES; // the leading edge
    const int M3 = N2 - M1 + 1;

    SolidWriter out(stl, labels);
    stl.Line("solid     ");
    labels.Line(" 8 ");

    Corner A = C1;
    for (int i = 2; i <= N2; ++i) {
        const int k = i - 1;
        // The fan moves on to the next corner, with one triangle along the outer boundary.
        if (k == M1) {
            A = C2;
            out.Facet(P(k, 0), C2.At(0), C1.At(0), kSideLow);
            out.Facet(P(k, 1), C1.At(1), C2.At(1), kSideHigh);
        } else if (k == M2) {
            A = C3;
            out.Facet(P(k, 0), C3.At(0), C2.At(0), kSideLow);
            out.Facet(P(k, 1), C2.At(1), C3.At(1), kSideHigh);
        } else if (k == M3) {
            A = C4;
            out.Facet(P(k, 0), C4.At(0), C3.At(0), kSideLow);
            out.Facet(P(k, 1), C3.At(1), C4.At(1), kSideHigh);
        }
        out.Facet(P(i, 1), P(i, 0), P(k, 0), kWall);
        out.Facet(P(i, 1), P(k, 0), P(k, 1), kWall);
        out.Facet(P(k, 0), P(i, 0), A.At(0), kSideLow);
        out.Facet(P(i, 1), P(k, 1), A.At(1), kSideHigh);
        if (i == N2) { // back to the first corner, closing the fan round the section
            out.Facet(P(i, 0), C1.At(0), C4.At(0), kSideLow);
            out.Facet(P(i, 1), C4.At(1), C1.At(1), kSideHigh);
        }
    }

    out.Facet(C1.At(0), C2.At(1), C1.At(1), kUpper);
    out.Facet(C2.At(1), C1.At(0), C2.At(0), kUpper);
    out.Facet(C2.At(1), C2.At(0), C3.At(0), kUpstream);
    out.Facet(C2.At(1), C3.At(0), C3.At(1), kUpstream);
    out.Facet(C3.At(0), C4.At(0), C4.At(1), kLower);
    out.Facet(C3.At(0), C4.At(1), C3.At(1), kLower);
    out.Facet(C4.At(0), C1.At(1), C4.At(1), kDownstream);
    out.Facet(C4.At(0), C1.At(0), C1.At(1), kDownstream);

    stl.Line("endsolid  ");
}

} // namespace zarnfoil
