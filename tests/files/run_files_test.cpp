// A whole run with its files: the report, the second table file, the STL solid and its
// labels, and files that are written completely or not at all.
#include "files/run_smoothing.h"

#include "../support/naca_section.h"
#include "files/output_names.h"
#include "files/section_reader.h"
#include "golden.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace zarnfoil {
namespace {

using testing::Naca;

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class RunFiles : public ::testing::Test {
  protected:
    // Reads `text` as wing.dat from the folder, as the main window's Input does.
    void Input(const std::string& text, std::int16_t grid, const std::string& nodes, bool smooth) {
        ApplyFileNames(s, DeriveFileNames(folder.Path().string(), "wing.dat"));
        const ReaderInputs in{.INPATH = folder.Write("wing.dat", text), .INNAME = "wing.dat",
                              .directory = folder.Path().string(), .gridChoice = grid,
                              .nodesText = nodes, .smoothChecked = smooth};
        ASSERT_EQ(ReadInputFile(in, s).kind, ReadOutcome::Kind::ReadOk);
    }
    void InputNaca(const Naca& naca, const std::string& nodes = "61") {
        FoilState section{};
        testing::FillSection(section, naca);
        Input(testing::XydText(section), kGridCosine, nodes, true);
    }
    RunOutcome Smooth(float strip = 0.002f, std::int16_t level = 1, const StlDomain& stl = {}) {
        p.DSMOOTH = strip;
        p.OUTSECT = level;
        return RunSmoothing(s, p, stl);
    }

    testing::TempFolder folder;
    FoilState s{};
    RunParams p;
};

TEST_F(RunFiles, DiamondGoldenFiles) {
    // Five points whose every figure can be checked by hand: X = T^2, Y = +-0.05 at
    // T = +-sqrt(0.5), thickness 0.1 at mid-chord, a closed trailing edge; not smoothed, on
    // the grid of its upper surface.
    Input("diamond\r\nX Y D\r\n1.0 0.0\r\n0.5 -0.05\r\n0.0 0.0\r\n0.5 0.05\r\n1.0 0.0\r\n",
          kGridFromUpperSurface, "61", false);
    ASSERT_TRUE(Smooth(0.0f, 2).Succeeded());
    testing::ExpectGolden(folder.Read("wing.out1"), "diamond.out1");
    testing::ExpectGolden(folder.Read("wing.out2"), "diamond.out2");
    testing::ExpectGolden(folder.Read("wing.stl"), "diamond.stl");
    testing::ExpectGolden(folder.Read("wing.stl.prop"), "diamond.stl.prop");
}

TEST_F(RunFiles, TiltedGoldenFiles) {
    // Seven points with an open trailing edge, leading edge at (2, -1), trailing-edge midpoint
    // at (3, -0.9): the chord line tilts by atan(0.1), so "Epsilon=5.711", "Chord=1.005" and
    // "Del Smooth=0.002" head the report, the BLWF block gives XLE 2, YLE -1 and EPSIL
    // -5.710594, and the contour's first and last rows differ. Smoothed on a cosine grid of
    // 5 nodes: the exported contour's trailing-edge and leading-edge points, which the STL
    // solid uses, are those before smoothing; the solid closes the trailing edge.
    Input("tilted\r\nX Y D\r\n3.0 -0.91\r\n2.6 -0.98\r\n2.2 -1.01\r\n2.0 -1.0\r\n"
          "2.2 -0.94\r\n2.6 -0.88\r\n3.0 -0.89\r\n",
          kGridCosine, "5", true);
    ASSERT_TRUE(Smooth(0.002f, 2).Succeeded());
    testing::ExpectGolden(folder.Read("wing.out1"), "tilted.out1");
    testing::ExpectGolden(folder.Read("wing.out2"), "tilted.out2");
    testing::ExpectGolden(folder.Read("wing.stl"), "tilted.stl");
    testing::ExpectGolden(folder.Read("wing.stl.prop"), "tilted.stl.prop");
}

TEST_F(RunFiles, StlFacetsAndLabels) {
    // N2 contour points give 4 N2 + 12 facets: NOUT = 121 closed, 122 open, 6 for an open
    // contour on 3 nodes, and 402 for an open contour on 201 nodes: the solid's contour is not
    // held to the section's 401 points.
    const struct { bool closed; const char* nodes; int facets;
    } cases[] = {{true, "61", 496}, {false, "61", 500}, {false, "3", 36}, {false, "201", 1620}};
    for (const auto& c : cases) {
        InputNaca(Naca{0.02, 0.4, 0.12, 41, c.closed}, c.nodes);
        ASSERT_TRUE(Smooth(0.002f, 2).Succeeded());
        EXPECT_EQ(Count(folder.Read("wing.stl"), "facet normal"), c.facets) << c.nodes;
        const std::string labels = folder.Read("wing.stl.prop");
        EXPECT_EQ(labels.rfind(" 8 \r\n", 0), 0u);
        EXPECT_EQ(Count(labels, "\r\n"), c.facets + 1);
    }
    folder.Write("wing.stl", "earlier"); // output level 1 leaves the STL files alone
    ASSERT_TRUE(Smooth(0.002f, 1).Succeeded());
    EXPECT_EQ(folder.Read("wing.stl"), "earlier");
}

// The facets of an STL text: label (from the label file), unit normal and vertices.
struct StlFacet {
    int label = 0;
    double n[3] = {}, v[3][3] = {};
};

std::vector<StlFacet> ReadStl(const std::string& stl, const std::string& labels) {
    std::vector<StlFacet> facets;
    std::istringstream in(stl), tags(labels);
    std::string word, header;
    std::getline(tags, header);
    while (in >> word) {
        if (word != "facet") continue;
        StlFacet f;
        in >> word >> f.n[0] >> f.n[1] >> f.n[2] >> word >> word;
        for (auto& v : f.v)
            in >> word >> v[0] >> v[1] >> v[2];
        tags >> f.label;
        facets.push_back(f);
    }
    return facets;
}

TEST_F(RunFiles, StlDomainScaleAndNormals) {
    // The margins 0.5 ahead, 0.75 behind, 0.4 above and below and a span of 0.2 chords, all
    // scaled to a chord of 250: the outer planes at x = -125 and 437.5, y = +-100, z = 0 and
    // 50. Every normal has unit length and points out of the flow domain: the outer and side
    // planes along their axes, the wall into the section (unsmoothed, so that the published
    // shape tells inside from outside).
    const Naca naca{0.02, 0.4, 0.12, 41, false};
    InputNaca(naca);
    ASSERT_TRUE(Smooth(0.0f, 2, StlDomain{0.5f, 0.75f, 0.4f, 0.2f, 250.0f}).Succeeded());
    const auto facets = ReadStl(folder.Read("wing.stl"), folder.Read("wing.stl.prop"));
    ASSERT_EQ(facets.size(), 4u * 122 + 12);
    const double planes[8][4] = {// label: normal, and where the plane lies along it
                                 {},
                                 {},
                                 {0, 0, -1, 0},
                                 {0, 0, 1, 50},
                                 {0, 1, 0, 100},
                                 {-1, 0, 0, 125},
                                 {0, -1, 0, 100},
                                 {1, 0, 0, 437.5}};
    for (const StlFacet& f : facets) {
        EXPECT_NEAR(f.n[0] * f.n[0] + f.n[1] * f.n[1] + f.n[2] * f.n[2], 1.0, 1e-5);
        if (f.label == 1) {
            // A step along the normal from the facet's middle lands inside the section.
            const double x = (f.v[0][0] + f.v[1][0] + f.v[2][0]) / 3 / 250 + 1e-4 * f.n[0];
            const double y = (f.v[0][1] + f.v[1][1] + f.v[2][1]) / 3 / 250 + 1e-4 * f.n[1];
            const double t = testing::NacaThickness(naca, std::clamp(x, 0.0, 1.0));
            const double c = testing::NacaCamber(naca, std::clamp(x, 0.0, 1.0));
            EXPECT_TRUE(f.n[2] == 0 && std::fabs(y - c) < t) << x << " " << y;
            continue;
        }
        const double* plane = planes[f.label];
        EXPECT_TRUE(f.n[0] == plane[0] && f.n[1] == plane[1] && f.n[2] == plane[2]) << f.label;
        // Every vertex of an outer plane or of the top lies in it (the bottom is z = 0).
        for (const auto& v : f.v)
            EXPECT_EQ(plane[0] * v[0] + plane[1] * v[1] + plane[2] * v[2], plane[3]) << f.label;
    }
    // A margin, span or chord that is not a number above 0 is refused before anything is written.
    folder.Write("wing.stl", "earlier");
    const StlDomain bad[] = {{0, 3, 3, 0.1f, 1},
                             {3, -1, 3, 0.1f, 1},
                             {3, 3, 3, 0, 1},
                             {3, 3, 3, 0.1f, std::nanf("")},
                             {3, 3, 3, 0.1f, 1e6f}};
    for (const StlDomain& d : bad) {
        const RunOutcome outcome = Smooth(0.002f, 2, d);
        EXPECT_EQ(outcome.kind, RunOutcome::Kind::Refused) << outcome.message;
    }
    EXPECT_EQ(folder.Read("wing.stl"), "earlier");
}

TEST_F(RunFiles, FilesAreWrittenWhollyOrNotAtAll) {
    InputNaca(Naca{0.0, 0.4, 0.12, 31, true});
    folder.Write("wing.out1", "earlier report");
    s.OUTFILE2 = (folder.Path() / "no such folder" / "wing.out2").string();
    const RunOutcome outcome = Smooth();
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::WriteFailed);
    EXPECT_NE(outcome.message.find("wing.out2"), std::string::npos);
    EXPECT_EQ(folder.Read("wing.out1"), "earlier report");
    EXPECT_EQ(s.ILE, 31); // the run itself is kept
    // wing.dat and the earlier report: no temporary file left behind
    const std::filesystem::directory_iterator files(folder.Path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 2);
}

TEST_F(RunFiles, RefusedRunsTouchNothing) {
    // Point 5 turns back along the upper surface; and an STL domain whose upper boundary
    // lies inside the section (without the STL the same section runs).
    Input("t\r\nX Y D\r\n1 0\r\n0.5 -0.05\r\n0 0\r\n0.6 0.05\r\n0.4 0.04\r\n1 0\r\n",
          kGridFromUpperSurface, "61", true);
    FoilState before = s;
    RunOutcome outcome = Smooth();
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(outcome.message.find("Point 5"), std::string::npos) << outcome.message;
    EXPECT_EQ(s.XP, before.XP);
    InputNaca(Naca{0.02, 0.4, 0.12, 41, false});
    before = s;
    outcome = Smooth(0.002f, 2, StlDomain{0.5f, 0.5f, 0.05f, 0.2f, 1.0f});
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(outcome.message.find("upper boundary (\"dely =\" 0.05 chords)"), std::string::npos)
        << outcome.message;
    EXPECT_EQ(s.K, before.K);
    EXPECT_FALSE(std::filesystem::exists(folder / "wing.out1"));
    EXPECT_TRUE(Smooth(0.002f, 1).Succeeded());
}

TEST_F(RunFiles, RerunCopiesTheEditedWeightsAndCounts) {
    InputNaca(Naca{0.02, 0.4, 0.12, 41, false});
    ASSERT_TRUE(Smooth().Succeeded());
    const PointArray firstCurvature = s.K_SM;
    RunParams window;
    window.DSMOOTH = RerunStrip("0.002", true);
    s.DP(20) = 0.004f;
    ASSERT_TRUE(RerunSmoothing(s, window, false).Succeeded());
    EXPECT_EQ(s.NRUN, 1);
    EXPECT_EQ(s.D(20), 0.004f);
    EXPECT_EQ(s.DP(20), 0.004f);
    EXPECT_EQ(s.K_SM_PREV, firstCurvature);
    EXPECT_EQ(window.DSMOOTH_OLD, 0.002f);
    // the re-run's strip is the whole text as a positive number, when smoothing is checked
    EXPECT_EQ(RerunStrip("0.003", false), 0.0f);
    EXPECT_EQ(RerunStrip("0.003mm", true), 0.0f);
    EXPECT_EQ(RerunStrip("-1", true), 0.0f);
}

} // namespace
} // namespace zarnfoil
