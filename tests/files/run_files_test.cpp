// A whole run with its files: the report layouts, the exports, the STL solid, and files that
// are written completely or not at all.
#include "files/run_smoothing.h"

#include "../support/naca_section.h"
#include "files/output_names.h"
#include "files/section_reader.h"
#include "golden.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace zarnfoil {
namespace {

using testing::Naca;
using testing::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return i;
    ADD_FAILURE() << "no line \"" << line << "\"";
    return 0;
}

class RunFiles : public ::testing::Test {
  protected:
    // Reads `text` as wing.dat from the folder, as the main window's Input does.
    void Input(const std::string& text, std::int16_t grid = kGridFromUpperSurface,
               const std::string& nodes = "61", bool smooth = true) {
        const FileNames names = DeriveFileNames(folder.Path().string(), "wing.dat");
        ApplyFileNames(s, names);
        ReaderInputs in;
        in.INPATH = folder.Write("wing.dat", text);
        in.INNAME = "wing.dat";
        in.directory = folder.Path().string();
        in.gridChoice = grid;
        in.nodesText = nodes;
        in.smoothChecked = smooth;
        ASSERT_EQ(ReadInputFile(in, s).kind, ReadOutcome::Kind::ReadOk);
    }
    void InputNaca(const Naca& naca, std::int16_t grid = kGridCosine, const std::string& nodes = "61") {
        FoilState section{};
        testing::FillSection(section, naca);
        Input(testing::XydText(section), grid, nodes);
    }
    RunOutcome Smooth(float strip = 0.002f, std::int16_t level = 1) {
        p.DSMOOTH = strip;
        p.OUTSECT = level;
        return RunSmoothing(s, p);
    }

    TempFolder folder;
    FoilState s{};
    RunParams p;
};

// A diamond of five points: every figure of its files can be checked by hand (X = T^2,
// Y = +-0.05 at T = +-sqrt(0.5), thickness 0.1 at mid-chord, a closed trailing edge).
constexpr const char* kDiamond =
    "diamond\r\nX Y D\r\n1.0 0.0\r\n0.5 -0.05\r\n0.0 0.0\r\n0.5 0.05\r\n1.0 0.0\r\n";

TEST_F(RunFiles, DiamondGoldenFiles) {
    Input(kDiamond, kGridFromUpperSurface, "61", false);
    ASSERT_TRUE(Smooth(0.0f, 2).Succeeded());
    testing::ExpectGolden(folder.Read("wing.out1"), "diamond.out1");
    testing::ExpectGolden(folder.Read("wing.out2"), "diamond.out2");
    testing::ExpectGolden(folder.Read("wing.stl"), "diamond.stl");
    testing::ExpectGolden(folder.Read("wing.stl.prop"), "diamond.stl.prop");
}

TEST_F(RunFiles, ReportLineLayouts) {
    InputNaca(Naca{0.02, 0.4, 0.12, 41, false});
    ASSERT_TRUE(Smooth().Succeeded());
    const auto report = Lines(folder.Read("wing.out1"));
    ASSERT_GT(report.size(), 10u);
    EXPECT_EQ(report[0].size(), 80u);
    EXPECT_EQ(report[1].rfind("Epsilon=", 0), 0u);
    EXPECT_NE(report[1].find("     Chord=1.     Del Smooth=0.002"), std::string::npos) << report[1];

    const auto derivatives = IndexOf(report, "    X        Y       DY1T      DY2T      DY1X      DY2X       K") + 2;
    for (std::size_t i = derivatives + 1; i < derivatives + 1 + 3 * 81; i += 3) {
        EXPECT_EQ(report[i].size(), 71u) << i;
        EXPECT_EQ(report[i + 1].size(), 71u) << i;
        EXPECT_EQ(report[i + 2], " ");
    }
    // the leading-edge point: T = 0, so both rows show infinite slopes over X
    const std::string& le = report[derivatives + 1 + 3 * (s.ILE - 1)];
    EXPECT_EQ(le.substr(40, 20), " Infinity  Infinity ") << le;

    const auto input = IndexOf(report, "   i        X         Y         D        XP        YP        DP           K        Ksm") + 2;
    EXPECT_EQ(report[input - 3], std::string(90, '-') + " ");
    for (int i = 1; i <= s.NP; ++i) EXPECT_EQ(report[input + i - 1].size(), 91u);
    EXPECT_EQ(report[input].substr(0, 10), " 1.0      ");
    EXPECT_EQ(report[input].substr(10, 10), " -1.0     "); // X negated before the leading edge
    EXPECT_EQ(report[input + s.ILE - 1].substr(10, 10), " 0.0      ");

    const auto thickness = IndexOf(report, "   i          X     Y upper     Y lower  THICKNESS  CAMBER") + 2;
    for (int j = 1; j <= 61; ++j) EXPECT_EQ(report[thickness + j - 1].size(), 61u);
    EXPECT_EQ(report[thickness + 60].substr(0, 20), " 61.0      1.0      ");
    EXPECT_EQ(report[thickness + 61], std::string(60, '-') + " ");

    const auto second = Lines(folder.Read("wing.out2"));
    ASSERT_EQ(second.size(), 2u + 81u);
    EXPECT_EQ(second[1], std::string(80, '-') + " ");
    for (std::size_t i = 2; i < second.size(); ++i) EXPECT_EQ(second[i].size(), 81u);
    EXPECT_EQ(second[3].substr(0, 2), " -"); // before the leading edge: negative abscissa
    EXPECT_EQ(second.back().substr(0, 10), " 1.0      ");
}

TEST_F(RunFiles, SectionExports) {
    InputNaca(Naca{0.04, 0.4, 0.15, 41, false});
    ASSERT_TRUE(Smooth().Succeeded());
    const auto report = Lines(folder.Read("wing.out1"));
    const auto np = IndexOf(report, "<   NP   >");
    EXPECT_EQ(report[np + 1], " 121.0     ");
    ASSERT_EQ(report[np + 2], "<    X   ><    Y   >");
    const auto first = np + 3;
    EXPECT_EQ(report[first].substr(0, 10), " 1.0      ");
    EXPECT_EQ(report[first + 60].substr(0, 10), " 0.0      ");
    EXPECT_EQ(report[first + 120].substr(0, 10), " 1.0      ");
    EXPECT_NE(report[first].substr(10), report[first + 120].substr(10)); // open trailing edge
    EXPECT_EQ(report[first + 121], std::string(40, '-') + " ");

    const auto blwf = IndexOf(report, "  Output for BLWF code");
    EXPECT_EQ(report[blwf + 4], " 0.0       61.0      61.0      ");
    EXPECT_EQ(report[blwf + 7], "<   XU   ><   YU   >");
    EXPECT_EQ(report[blwf + 8 + 61], "<   XL   ><   YL   >");
    EXPECT_EQ(report.size(), blwf + 8 + 61 + 1 + 61);
}

TEST_F(RunFiles, BlwfAngleHasItsSignReversed) {
    FoilState section{};
    testing::FillSection(section, Naca{0.0, 0.4, 0.12, 31, true});
    for (int i = 1; i <= section.NP; ++i) section.Y(i) += 0.1f * section.X(i); // nose down
    Input(testing::XydText(section));
    ASSERT_TRUE(Smooth().Succeeded());
    EXPECT_GT(s.EPSIL, 0.0f);
    const auto report = Lines(folder.Read("wing.out1"));
    const auto row = report[IndexOf(report, "<    Z   ><   XLE  ><   YLE  ><  CHORD ><  THICK ><  EPSIL ><  FSEC  >") + 1];
    EXPECT_EQ(row.substr(51, 1), "-") << row;
}

int Facets(const std::string& stl) {
    int n = 0;
    for (const auto& line : Lines(stl)) n += line.rfind("facet normal", 0) == 0;
    return n;
}

TEST_F(RunFiles, StlSolidOfAClosedTrailingEdge) {
    InputNaca(Naca{0.0, 0.4, 0.12, 41, true});
    ASSERT_TRUE(Smooth(0.002f, 2).Succeeded());
    const std::string stl = folder.Read("wing.stl");
    EXPECT_EQ(Facets(stl), 496);
    const auto labels = Lines(folder.Read("wing.stl.prop"));
    EXPECT_EQ(labels.size(), 497u);
    EXPECT_EQ(labels[0], " 8 ");
    const auto lines = Lines(stl);
    EXPECT_EQ(lines.front(), "solid     ");
    EXPECT_EQ(lines.back(), "endsolid  ");
    EXPECT_EQ(lines[1], "facet normal                 0.0       0.0       0.0       ");
    for (const auto& line : lines)
        if (line.rfind("vertex", 0) == 0) {
            EXPECT_EQ(line.size(), 45u);
            const auto z = line.substr(35);
            EXPECT_TRUE(z == "0.0       " || z == "0.1       ") << line;
        }
}

TEST_F(RunFiles, StlSolidOfAnOpenTrailingEdge) {
    InputNaca(Naca{0.02, 0.4, 0.12, 41, false});
    ASSERT_TRUE(Smooth(0.002f, 2).Succeeded());
    EXPECT_EQ(Facets(folder.Read("wing.stl")), 500);
    EXPECT_EQ(s.XOUT(122), s.XOUT(1)); // the closing point stays in the section
    EXPECT_EQ(s.NOUT, 121);

    InputNaca(Naca{0.02, 0.4, 0.12, 41, false}, kGridCosine, "3");
    ASSERT_TRUE(Smooth(0.002f, 2).Succeeded());
    EXPECT_EQ(Facets(folder.Read("wing.stl")), 36);
    EXPECT_EQ(Lines(folder.Read("wing.stl.prop")).size(), 37u);
}

TEST_F(RunFiles, OutputLevelOneLeavesTheStlFilesAlone) {
    folder.Write("wing.stl", "earlier");
    InputNaca(Naca{0.0, 0.4, 0.12, 31, true});
    ASSERT_TRUE(Smooth(0.002f, 1).Succeeded());
    EXPECT_EQ(folder.Read("wing.stl"), "earlier");
    EXPECT_FALSE(std::filesystem::exists(folder / "wing.stl.prop"));
}

TEST_F(RunFiles, OpenTrailingEdgeWithTooManyNodesForTheStl) {
    InputNaca(Naca{0.02, 0.4, 0.12, 201, false}, kGridCosine, "201");
    const FoilState before = s;
    const RunOutcome outcome = Smooth(0.002f, 2);
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(outcome.message.find("200"), std::string::npos) << outcome.message;
    EXPECT_EQ(s.K, before.K);
    EXPECT_FALSE(std::filesystem::exists(folder / "wing.out1"));
    // without the STL the same grid runs
    EXPECT_TRUE(Smooth(0.002f, 1).Succeeded());
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
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 2); // wing.dat and the earlier report: no temporary file left behind
}

TEST_F(RunFiles, RefusedRunTouchesNothing) {
    Input("t\r\nX Y D\r\n1 0\r\n0.5 -0.05\r\n0 0\r\n0.6 0.05\r\n0.4 0.04\r\n1 0\r\n");
    const FoilState before = s;
    const RunOutcome outcome = Smooth();
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(outcome.message.find("Point 5"), std::string::npos) << outcome.message;
    EXPECT_EQ(s.XP, before.XP);
    EXPECT_FALSE(std::filesystem::exists(folder / "wing.out1"));
}

TEST_F(RunFiles, RerunCopiesTheEditedWeightsAndCounts) {
    InputNaca(Naca{0.02, 0.4, 0.12, 41, false});
    ASSERT_TRUE(Smooth(0.002f).Succeeded());
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
}

TEST(RerunStrip, WholeTextMustBeAPositiveNumber) {
    EXPECT_EQ(RerunStrip("0.003", true), 0.003f);
    EXPECT_EQ(RerunStrip("0.003", false), 0.0f);
    EXPECT_EQ(RerunStrip("0.003mm", true), 0.0f);
    EXPECT_EQ(RerunStrip("-1", true), 0.0f);
}

} // namespace
} // namespace zarnfoil
