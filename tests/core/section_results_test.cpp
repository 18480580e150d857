// Curvature, thickness and camber of a run, against the published NACA section formulas.
#include "core/section_results.h"

#include "../support/naca_section.h"

#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::Naca;

// A NACA section run without smoothing on the grid of its upper surface, with its results.
FoilState RunNaca(const Naca& naca) {
    FoilState s{};
    testing::FillSection(s, naca, 0.0f, false);
    testing::UpperSurfaceGrid(s);
    RunParams p;
    RunSplines splines;
    EXPECT_FALSE(SmoothContour(s, p, splines));
    SectionResults r;
    ComputeSectionResults(s, splines, r);
    return s;
}

TEST(SectionResults, NoseCurvatureThicknessAndCamberOfNacaSections) {
    // NACA 0012: nose radius 1.1019 t^2; the contour turns clockwise at the nose (K < 0).
    const FoilState naca0012 = RunNaca(Naca{0.0, 0.4, 0.12, 121, true});
    EXPECT_NEAR(naca0012.K(naca0012.ILE) * 1.1019 * 0.12 * 0.12, -1.0, 0.03);
    // NACA 2412: camber on the grid follows the mean line (up to the small tilt of the chord
    // line through the nose and the trailing edge)
    const FoilState s = RunNaca(Naca{0.02, 0.4, 0.12, 81, true});
    EXPECT_NEAR(2 * s.HTMAX, 0.12, 2e-4);
    EXPECT_NEAR(s.XHTMAX, 0.3, 0.02);
    for (int j = 2; j < s.NNODES; ++j)
        EXPECT_NEAR(s.CAMBER(j), testing::NacaCamber(Naca{0.02}, s.XNODES(j)), 1e-3) << j;
}

} // namespace
} // namespace zarnfoil
