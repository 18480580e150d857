// Derivatives, curvature, thickness and camber of a run, and the exported contour.
#include "core/section_results.h"

#include "../support/naca_section.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::FillSection;
using testing::Naca;

struct Results {
    FoilState s{};
    RunParams p;
    RunSplines splines;
    SectionResults r;

    explicit Results(const Naca& naca, bool smooth = true, float strip = 0.002f) {
        FillSection(s, naca, 0.0f, smooth);
        testing::UpperSurfaceGrid(s);
        p.DSMOOTH = strip;
        EXPECT_FALSE(SmoothContour(s, p, splines));
        ComputeSectionResults(s, splines, r);
    }
};

TEST(SectionResults, LeadingEdgeSlopesOverXAreInfinite) {
    Results run(Naca{0.02, 0.4, 0.12, 41, false});
    const int ile = run.s.ILE;
    EXPECT_EQ(run.s.T(ile), 0.0f);
    for (const auto* d : {&run.r.unsmoothed, &run.r.smoothed}) {
        EXPECT_EQ(d->DY1X(ile), 1e8f);
        EXPECT_EQ(d->DY2X(ile), 1e8f);
    }
}

TEST(SectionResults, LeadingEdgeCurvatureIsOneOverTheNoseRadius) {
    // NACA 0012: nose radius 1.1019 t^2; the contour turns clockwise at the nose (K < 0).
    Results run(Naca{0.0, 0.4, 0.12, 121, true}, false);
    const double radius = 1.1019 * 0.12 * 0.12;
    EXPECT_NEAR(run.s.K(run.s.ILE), -1.0 / radius, 0.03 / radius);
}

TEST(SectionResults, WithoutSmoothingBothContoursAgree) {
    Results run(Naca{0.02, 0.4, 0.12, 41, false}, false);
    for (int i = 1; i <= run.s.NP; ++i) {
        EXPECT_EQ(run.r.unsmoothed.DY1T(i), run.r.smoothed.DY1T(i));
        EXPECT_EQ(run.r.unsmoothed.DY2X(i), run.r.smoothed.DY2X(i));
        EXPECT_EQ(run.s.K(i), run.s.K_SM(i));
    }
}

TEST(SectionResults, ThicknessAndCamberOfANacaSection) {
    Results run(Naca{0.02, 0.4, 0.12, 81, true}, false);
    EXPECT_NEAR(2 * run.s.HTMAX, 0.12, 2e-4);
    EXPECT_NEAR(run.s.XHTMAX, 0.3, 0.02);
    // camber on the grid follows the mean line (the chord line of a cambered section tilts
    // a little, by the angle of the chord through the nose and the trailing edge)
    for (int j = 2; j < run.s.NNODES; ++j)
        EXPECT_NEAR(run.s.CAMBER(j), testing::NacaCamber(Naca{0.02}, run.s.XNODES(j)), 1e-3) << j;
}

TEST(SectionResults, EndNodesTakeTheSmoothedContoursPoints) {
    Results run(Naca{0.04, 0.4, 0.15, 31, false});
    const auto& s = run.s;
    const int n = s.NNODES;
    EXPECT_EQ(s.XNODES(n), 1.0f);
    EXPECT_EQ(s.YU(n), s.Y_SM(s.NP));
    EXPECT_EQ(s.YL(n), s.Y_SM(1));
    EXPECT_EQ(s.YU(1), s.Y_SM(s.ILE));
    EXPECT_EQ(s.YL(1), s.Y_SM(s.ILE));
    EXPECT_EQ(s.HTHICK_SM(n), (s.YU(n) - s.YL(n)) * 0.5f);
}

TEST(SectionResults, OutputContourRunsTrailingEdgeUpperLeadingEdgeLower) {
    Results run(Naca{0.04, 0.4, 0.15, 31, false});
    const auto& s = run.s;
    const int n = s.NNODES;
    ASSERT_EQ(s.NOUT, 2 * n - 1);
    EXPECT_EQ(s.XOUT(1), 1.0f);
    EXPECT_EQ(s.XOUT(n), 0.0f);
    EXPECT_EQ(s.XOUT(s.NOUT), 1.0f);
    EXPECT_EQ(s.YOUT(1), s.YP(s.NP));
    EXPECT_EQ(s.YOUT(n), s.YP(s.ILE));
    EXPECT_EQ(s.YOUT(s.NOUT), s.YP(1));
    EXPECT_EQ(s.YOUT(2), s.YU(n - 1));
    EXPECT_EQ(s.YOUT(s.NOUT - 1), s.YL(n - 1));
    EXPECT_EQ(s.XOUT(n + 3), s.XNODES(4));
}

} // namespace
} // namespace zarnfoil
