// The section reader: its four layouts under any line end, point orders, the new X-grid, bad
// lines, and the files it refuses without changing the section held.
#include "files/section_reader.h"

#include "../support/naca_section.h"
#include "temp_folder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace zarnfoil {
namespace {

using Kind = ReadOutcome::Kind;

class Reader : public ::testing::Test {
  protected:
    ReadOutcome Read(const std::string& text) {
        inputs.INPATH = folder.Write("wing.dat", text);
        inputs.INNAME = "wing.dat";
        inputs.directory = folder.Path().string();
        return ReadInputFile(inputs, s);
    }
    // The outcome must be a refusal, with a message, that leaves the section as it was.
    void ExpectUnchanged(const ReadOutcome& o, Kind kind) {
        EXPECT_EQ(o.kind, kind) << o.message;
        EXPECT_FALSE(o.message.empty());
        EXPECT_TRUE(s.NP == 0 && s.NNODES == 0 && s.X(1) == 0.0f);
    }
    // A NACA 0012 of 41 points as an "X Y D" file.
    static std::string Naca0012() {
        FoilState naca{};
        testing::FillSection(naca, testing::Naca{0.0, 0.4, 0.12, 21, true});
        return testing::XydText(naca);
    }

    testing::TempFolder folder;
    ReaderInputs inputs;
    FoilState s{};
};

// A BLWF file around its YSYM NU NL line and surface lists.
std::string Blwf(const std::string& keyword, const std::string& counts, const std::string& body) {
    return "t\r\n" + keyword + "\r\nheader\r\n" + counts + "\r\nh1\r\nh2\r\nh3\r\n" + body;
}

TEST_F(Reader, LayoutsAndPointOrdersUnderAnyLineEnd) {
    struct Point {
        int i;
        float y, d;
    };
    struct Layout {
        std::string text;
        std::int16_t order;
        int np;
        std::vector<Point> points;
    };
    const Layout cases[] = {
        {"t\r\nX Y D\r\n1 -0.01\r\n0.5 -0.05 0.002\r\n0 0\r\n0.5 0.06\r\n1 0.01\r\n",
         kOrderFromLowerTrailingEdge,
         5,
         {{1, -0.01f, 0}, {2, -0.05f, 0.002f}, {5, 0.01f, 0}}},
        // from the upper trailing edge: reversed
        {"t\r\nX Y D\r\n1 0.01 0.1\r\n0.5 0.06 0.2\r\n0 0 0.3\r\n0.5 -0.05 0.4\r\n1 -0.01 0.5\r\n",
         kOrderFromUpperTrailingEdge,
         5,
         {{1, -0.01f, 0.5f}, {3, 0, 0.3f}, {5, 0.01f, 0.1f}}},
        // fields read whole, exponents with E or D; tabs are blanks
        {"t\r\nX Y D\r\n1\t-0.01 0\r\n0.5 -6.001234e-02\r\n0 0\r\n0.5\t0.05123456789 \t1D-3\r\n1 "
         "0\r\n",
         kOrderFromLowerTrailingEdge,
         5,
         {{2, -0.06001234f, 0}, {4, 0.05123456789f, 0.001f}}},
        // a flat plate, whose contour encloses nothing: equal ordinates at the quarter points
        // keep the order
        {"t\r\nX Y D\r\n1 0 0.1\r\n0.5 0\r\n0 0\r\n0.5 0\r\n1 0 0.5\r\n",
         kOrderFromLowerTrailingEdge,
         5,
         {{1, 0, 0.1f}, {5, 0, 0.5f}}},
        // stations: the shared leading edge keeps the lower values; missing weights are 0
        {"t\r\n  X YU YL DU DL\r\n0 0.001 -0.001 0.3 0.4\r\n0.5 0.06 -0.05 0.002\r\n"
         "1 0.01 -0.01\r\n",
         kOrderLeadingEdgeToTrailingEdge,
         5,
         {{1, -0.01f, 0}, {2, -0.05f, 0}, {3, -0.001f, 0.4f}, {4, 0.06f, 0.002f}, {5, 0.01f, 0}}},
        // BLWF mirrored (its NL ignored): the shared leading-edge point's Y is negated too
        {Blwf("a BLWF block", " 1 3 7", "0 0.001\r\n0.5 0.06 0.002\r\n1 0.01\r\n"),
         kOrderLeadingEdgeToTrailingEdge,
         5,
         {{1, -0.01f, 0}, {2, -0.06f, 0.002f}, {3, -0.001f, 0}, {5, 0.01f, 0}}},
        // BLWF with both surfaces: the first lower line overwrites the shared point
        {Blwf("BLWF", " 0 3 2",
              "0 0\r\n0.5 0.06\r\n1 0.01\r\nlower\r\n0 0.0005\r\n1 -0.01 0.003\r\n"),
         kOrderLeadingEdgeToTrailingEdge,
         4,
         {{1, -0.01f, 0.003f}, {2, 0.0005f, 0}, {4, 0.01f, 0}}},
        // BL_WF_inverse from the trailing edge: each list's last line lands on the shared point
        {Blwf("BL_WF_inverse", " 0 3 3",
              "1 -0.01\r\n0.5 -0.05\r\n0 0\r\nupper\r\n1 0.01\r\n0.5 0.06\r\n0 0.0001\r\n"),
         kOrderLeadingEdgeToTrailingEdge,
         5,
         {{1, -0.01f, 0}, {3, 0.0001f, 0}, {4, 0.06f, 0}}},
        {Blwf("BL_WF_inverse", " 1 3 3", "1 -0.01 0.001\r\n0.5 -0.05\r\n0 0\r\n"),
         kOrderLeadingEdgeToTrailingEdge,
         5,
         {{4, 0.05f, 0}, {5, 0.01f, 0.001f}}},
    };
    for (const auto& c : cases)
        for (const std::string end : {"\r\n", "\n", "\r"}) {
            std::string text = c.text;
            for (auto at = text.find("\r\n"); at != std::string::npos;
                 at = text.find("\r\n", at + end.size()))
                text.replace(at, 2, end);
            s = FoilState{};
            inputs.smoothChecked = !inputs.smoothChecked; // SMOOTH follows the box at each read
            const auto o = Read(text);
            ASSERT_EQ(o.kind, Kind::ReadOk) << o.message << "\n" << text;
            EXPECT_EQ(o.pointOrder, c.order) << text;
            EXPECT_EQ(s.NP, c.np) << text;
            EXPECT_EQ(o.npText, std::to_string(c.np));
            EXPECT_EQ(s.SMOOTH, inputs.smoothChecked ? 1 : 0);
            EXPECT_EQ(s.TITLE, "t" + std::string(79, ' ')); // an 80-character field
            for (const Point& p : c.points) {
                EXPECT_EQ(s.Y(p.i), p.y) << "point " << p.i << " of\n" << text;
                EXPECT_EQ(s.D(p.i), p.d) << "point " << p.i << " of\n" << text;
            }
        }
}

TEST_F(Reader, BadLinesAreNamedByNumber) {
    const auto o = Read("t\r\nX Y D\r\n1 0\r\n0 0.1\r\n1 0.01\r\n\r\n");
    EXPECT_EQ(o.kind, Kind::BadLine);
    EXPECT_EQ(o.message, "Error in input file: wing.dat line:6.\rRemove all empty lines in the end "
                         "of input file.\rJOB TERMINATED !");
    // The message names the line and what is wrong with it.
    const struct {
        std::string text;
        int line;
        const char* says;
    } cases[] = {{"t\r\nX Y D\r\n\t \t\r\n", 3, "Remove all empty lines"},
                 {"t\r\nX Y D\r\n0.5\r\n", 3, "The line \"0.5\" has too few numbers: 2 are needed"},
                 {"t\r\nX YU YL DU DL\r\n0 0 0\r\n0.5 0.1\r\n", 4, "\"0.5 0.1\" has too few"},
                 {Blwf("BLWF", " 1 3", ""), 4, "3 are needed"},
                 {"t\r\nX Y D\r\n1 0\r\n0.5 nan\r\n", 4, "Field 2, \"nan\", is not a number."},
                 {"t\r\nX Y D\r\n1 0\r\n0.5 inf\r\n", 4, "\"inf\""},
                 {"t\r\nX Y D\r\n1 abc\r\n", 3, "Field 2, \"abc\""},
                 {"t\r\nX Y D\r\n1 0 .\r\n", 3, "Field 3, \".\""},
                 {"t\r\nX YU YL DU DL\r\n0 0,05 0\r\n", 3, "\"0,05\""},
                 {Blwf("BLWF", " 0 x3 3", ""), 4, "Field 2, \"x3\""}};
    for (const auto& c : cases) {
        const auto bad = Read(c.text);
        ExpectUnchanged(bad, Kind::BadLine);
        EXPECT_EQ(bad.line, c.line) << c.text;
        EXPECT_EQ(bad.message.rfind(
                      "Error in input file: wing.dat line:" + std::to_string(c.line) + ".\r", 0),
                  0u)
            << bad.message;
        EXPECT_NE(bad.message.find(c.says), std::string::npos) << bad.message;
    }
    // Fields after those a layout reads are not looked at.
    EXPECT_EQ(Read("t\r\nX Y D\r\n1 0 0 n/a\r\n0.5 -0.1 0 -\r\n0 0\r\n0.5 0.1\r\n1 0\r\n").kind,
              Kind::ReadOk);
}

TEST_F(Reader, RefusalsLeaveTheSectionAsItWas) {
    std::string points = "t\r\nX Y D\r\n", stations = "t\r\nX YU YL DU DL\r\n";
    for (int i = 0; i < 402; ++i)
        points += "0.5 0.01\r\n";
    for (int i = 0; i < 202; ++i)
        stations += "0.5 0.01 -0.01\r\n";
    const struct {
        std::string text;
        Kind kind;
        const char* says;
    } cases[] = {
        {points, Kind::TooLarge, "at most 401"},
        {stations, Kind::TooLarge, "201"},
        {Blwf("BLWF", " 0 300 200", ""), Kind::TooLarge, "at most 401"},
        {"", Kind::Refused, "no line"},
        {"t\r\nX Y D\r\n1 0\r\n0 0\r\n", Kind::Refused, "at least 3"},
        {"t\r\nX Y D\r\n1 0\r\n0 1e99\r\n1 0\r\n", Kind::Refused, "beyond the range"},
        {Blwf("BLWF", " 0 3 3", "0 0\r\n0.5 0.06\r\n"), Kind::Refused, "ends after line"},
        {Blwf("BLWF", " 2 3 5", "0 0\r\n0.5 0.06\r\n1 0\r\n"), Kind::Refused, "NL cannot"},
        {"X Y D in the title\r\n1 0 0\r\n0 0 0\r\n1 0 0\r\n", Kind::NoKeyword, kNoKeywordMessage},
        {"no layout\r\n1 0\r\n0 0\r\n", Kind::NoKeyword, kNoKeywordMessage}};
    for (const auto& c : cases) {
        const auto o = Read(c.text);
        ExpectUnchanged(o, c.kind);
        EXPECT_NE(o.message.find(c.says), std::string::npos) << o.message;
    }
    inputs.INPATH = folder / "missing.dat";
    ExpectUnchanged(ReadInputFile(inputs, s), Kind::Unreadable);
    inputs.INPATH = folder.Path().string();
    ExpectUnchanged(ReadInputFile(inputs, s), Kind::Unreadable);
}

TEST_F(Reader, NewXGridAndTheGridsItRefuses) {
    // The upper surface scaled 0..1 (also when X_INP.DAT is missing or shorter than 5 values),
    // the grid file as it stands, and the cosine grid, whose divisor is the node count.
    const float cosine2 = static_cast<float>((1 - std::cos(3.14159265 / 61)) / 2);
    const struct {
        const char* gridFile;
        std::int16_t choice;
        int nodes;
        float x2, xN;
    } cases[] = {{nullptr, kGridFromUpperSurface, 21, 0.0061558f, 1},
                 {nullptr, kGridFromFile, 21, 0.0061558f, 1},
                 {"grid\r\n0 0.5 1\r\n", kGridFromFile, 21, 0.0061558f, 1},
                 {"grid\r\n0.0, 0.1 0.3\n0.6,\t0.9\r\n0.9999999\r\n\r\n", kGridFromFile, 6, 0.1f,
                  0.9999999f},
                 {nullptr, kGridCosine, 61, cosine2, 1}};
    for (const auto& c : cases) {
        std::filesystem::remove(folder / "X_INP.DAT");
        if (c.gridFile) folder.Write("X_INP.DAT", c.gridFile);
        inputs.gridChoice = c.choice;
        {
            const auto o = Read(Naca0012());
            ASSERT_EQ(o.kind, Kind::ReadOk) << o.message;
        }
        EXPECT_EQ(s.NNODES, c.nodes);
        EXPECT_EQ(s.XNODES(1), 0.0f);
        EXPECT_EQ(s.XNODES(2), c.x2) << c.choice;
        EXPECT_EQ(s.XNODES(c.nodes), c.xN) << c.choice;
    }
    // grids it cannot build, each named by its line and value
    inputs.gridChoice = kGridFromFile;
    const struct {
        const char* gridFile;
        const char* says;
    } refused[] = {{"grid\r\n0 0.2 abc 0.6 1\r\n", "Line 2 of the grid file"},
                   {"grid\r\n0 0.2 0.5 1\r\n2 5\r\n", "Line 3 of the grid file"},
                   {"grid\r\n0 0.2 0.5 1 2 5\r\n", "X = 2 lies outside 0 to 1"},
                   {"grid\r\n0 0.5 0.4 0.8 1\r\n", "X = 0.4 does not rise"},
                   {"grid\r\n0 0.5 0.5 0.8 1\r\n", "X = 0.5 does not rise"},
                   {"grid\r\n0.1 0.2 0.5 0.8 1\r\n", "X = 0.1 is its first value"},
                   {"grid\r\n0 0.2 0.5 0.8 0.99\r\n", "X = 0.99 is its last value"}};
    for (const auto& c : refused) {
        s = FoilState{};
        folder.Write("X_INP.DAT", c.gridFile);
        const auto o = Read(Naca0012());
        ExpectUnchanged(o, Kind::Refused);
        EXPECT_NE(o.message.find(c.says), std::string::npos) << o.message;
    }
    s = FoilState{};
    inputs.gridChoice = kGridCosine;
    inputs.nodesText = "300";
    ExpectUnchanged(Read(Naca0012()), Kind::TooLarge);
    inputs.nodesText = "two";
    ExpectUnchanged(Read(Naca0012()), Kind::Refused);
}

} // namespace
} // namespace zarnfoil
