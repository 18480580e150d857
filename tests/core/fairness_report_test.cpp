// The fairness report: curvature reversals per surface, band use, the warning about spurious
// "2-nd der." end values, and its one-line form.
#include "core/fairness_report.h"
#include "core/section_results.h"
#include "core/smoothing_run.h"

#include "../support/naca_section.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::AddNoise;
using testing::FillSection;
using testing::Naca;

TEST(FairnessReport, CountsReversalsPerSurfaceAndBandUse) {
    // Seven points, the leading edge at 4: zeros do not count as a change of sign, and the
    // leading edge belongs to both surfaces.
    FoilState s{};
    s.NP = 7;
    s.ILE = 4;
    s.SMOOTH = 1;
    const float K[] = {-1, 0, 2, -3, -3, 1, -1}, KSM[] = {-1, -1, -1, -1, -1, -1, 2};
    // point 3 ends a hair (3e-8) inside its band edge: the iteration pins it there
    const float YP[] = {0, 0.1f, 0.2f, 0, 0.2f, 0.1f, 0},
                ysm[] = {0, 0.101f, 0.19000003f, 0, 0.2f, 0.1f, 0};
    const float DP[] = {0, 0.002f, 0.01f, 0, 0.004f, 0, 0};
    for (int i = 1; i <= 7; ++i) {
        s.K(i) = K[i - 1];
        s.K_SM(i) = KSM[i - 1];
        s.YP(i) = YP[i - 1];
        s.Y_SM(i) = ysm[i - 1];
        s.DP(i) = DP[i - 1];
        s.T(i) = 0.3f * static_cast<float>(i - 4);
    }
    const FairnessReport r = AssessFairness(s, RunSplines{});
    EXPECT_EQ(r.lower.input, (std::vector<int>{3, 4}));
    EXPECT_TRUE(r.lower.smoothed.empty());
    EXPECT_EQ(r.upper.input, (std::vector<int>{6, 7}));
    EXPECT_EQ(r.upper.smoothed, (std::vector<int>{7}));
    EXPECT_EQ(r.largestBandUseAt, 3); // all of 0.01 at point 3, 0.001 of 0.002 at point 2
    EXPECT_NEAR(r.largestBandUse, 1.0f, 1e-5f);
    EXPECT_LT(std::fabs(s.Y_SM(3) - s.YP(3)), s.DP(3));
    EXPECT_EQ(r.onBandEdge, (std::vector<int>{3}));
    EXPECT_TRUE(r.endConditionWarning.empty()); // all moments 0: nothing is spurious
}

// A NACA 2412 of 201 (or 2 * stations - 1) points through a whole run with its output-phase
// results.
struct Assessed {
    FoilState s{};
    FairnessReport r;
    Assessed(std::int16_t ibc, float strip, double noise, int roundTo = 0, int stations = 101) {
        Naca n;
        n.camber = 0.02;
        n.stationsPerSurface = stations;
        FillSection(s, n);
        if (noise > 0) AddNoise(s, noise, 17);
        if (roundTo > 0) { // a published table rounded to `roundTo` decimals
            const double f = std::pow(10.0, roundTo);
            for (int i = 1; i <= s.NP; ++i)
                s.Y(i) = static_cast<float>(std::round(s.Y(i) * f) / f);
        }
        testing::UpperSurfaceGrid(s);
        s.IBC = ibc;
        RunParams p;
        p.DSMOOTH = strip;
        RunSplines splines;
        EXPECT_FALSE(SmoothContour(s, p, splines));
        SectionResults results;
        ComputeSectionResults(s, splines, results);
        r = AssessFairness(s, splines);
    }
};

TEST(FairnessReport, WarnsOfSpuriousSecondDerivativeEnds) {
    // The clean section's own ends are no more than a few times its interior d2Y/dT2 (up to 7
    // times on 401 points, where the three points of each estimate are close together); noise or
    // rounding to 5 decimals make them a hundred to thousands of times larger.
    EXPECT_TRUE(Assessed(0, 0.002f, 0).r.endConditionWarning.empty());
    EXPECT_TRUE(Assessed(0, 0.002f, 0, 0, 201).r.endConditionWarning.empty());
    EXPECT_TRUE(Assessed(1, 0.002f, 4e-4).r.endConditionWarning.empty());
    for (const Assessed& a : {Assessed(0, 0.002f, 4e-4), Assessed(0, 0.0005f, 0, 5)}) {
        EXPECT_NE(a.r.endConditionWarning.find("Try \"1-st der.\""), std::string::npos);
        EXPECT_GT(std::max(std::fabs(a.s.BC1), std::fabs(a.s.BC2)), 100.0f);
    }
}

TEST(FairnessReport, NoisySectionBeforeAndAfterInOneLine) {
    const Assessed a(1, 0.002f, 4e-4);
    EXPECT_GT(a.r.lower.input.size() + a.r.upper.input.size(), 100u);
    EXPECT_LE(a.r.lower.smoothed.size() + a.r.upper.smoothed.size(), 4u);
    EXPECT_NEAR(a.r.largestBandUse, 1.0f, 1e-4f);
    EXPECT_FALSE(a.r.onBandEdge.empty());
    const std::string line = FairnessSummary(a.r, a.s);
    EXPECT_EQ(line.rfind("smoothing converged after ", 0), 0u) << line;
    EXPECT_NE(line.find(std::to_string(a.r.lower.input.size()) + " -> " +
                        std::to_string(a.r.lower.smoothed.size())),
              std::string::npos)
        << line;
    EXPECT_NE(line.find("largest band use 100 %"), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
}

} // namespace
} // namespace zarnfoil
