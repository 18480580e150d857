// The section reader: its four layouts, point orders, the new X-grid, and the files it
// refuses without changing the section held.
#include "files/section_reader.h"

#include "../support/naca_section.h"
#include "temp_folder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::TempFolder;

class Reader : public ::testing::Test {
  protected:
    ReadOutcome Read(const std::string& text, const std::string& name = "wing.dat") {
        inputs.INPATH = folder.Write(name, text);
        inputs.INNAME = name;
        inputs.directory = folder.Path().string();
        return ReadInputFile(inputs, s);
    }
    // The outcome must be a refusal that leaves the section as it was.
    void ExpectUnchanged(const ReadOutcome& o, ReadOutcome::Kind kind) {
        EXPECT_EQ(o.kind, kind) << o.message;
        EXPECT_EQ(s.NP, 0);
        EXPECT_EQ(s.NNODES, 0);
        EXPECT_EQ(s.X(1), 0.0f);
        EXPECT_FALSE(o.message.empty());
    }

    TempFolder folder;
    ReaderInputs inputs;
    FoilState s{};
};

TEST_F(Reader, PointsFromTheLowerTrailingEdgeKeepTheirOrder) {
    const auto o = Read("title\r\nX Y D\r\n1 -0.01\r\n0.5 -0.05 0.002\r\n0 0\r\n0.5 0.06\r\n1 0.01\r\n");
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    EXPECT_EQ(o.pointOrder, kOrderFromLowerTrailingEdge);
    EXPECT_EQ(o.npText, "5");
    EXPECT_EQ(s.NP, 5);
    EXPECT_EQ(s.Y(2), -0.05f);
    EXPECT_EQ(s.D(2), 0.002f);
    EXPECT_EQ(s.D(1), 0.0f);
    EXPECT_EQ(s.SMOOTH, 1);
    EXPECT_EQ(s.TITLE, "title" + std::string(75, ' '));
}

TEST_F(Reader, PointsFromTheUpperTrailingEdgeAreReversed) {
    const auto o = Read("t\r\nX Y D\r\n1 0.01 0.1\r\n0.5 0.06 0.2\r\n0 0 0.3\r\n0.5 -0.05 0.4\r\n1 -0.01 0.5\r\n");
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(o.pointOrder, kOrderFromUpperTrailingEdge);
    EXPECT_EQ(s.Y(1), -0.01f);
    EXPECT_EQ(s.D(1), 0.5f);
    EXPECT_EQ(s.Y(5), 0.01f);
    EXPECT_EQ(s.D(3), 0.3f);
}

TEST_F(Reader, EqualOrdinatesAtTheQuarterPointsKeepTheOrder) {
    const auto o = Read("t\r\nX Y D\r\n1 0\r\n0.5 0.05\r\n0 0\r\n0.5 0.05\r\n1 0\r\n");
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(o.pointOrder, kOrderFromLowerTrailingEdge);
}

TEST_F(Reader, LineEndsOfAnySystemReadAlike) {
    FoilState lf{}, cr{}, crlf{};
    for (auto [end, state] : {std::pair{"\n", &lf}, {"\r", &cr}, {"\r\n", &crlf}}) {
        std::string text = std::string("t") + end + "X Y D" + end;
        for (const char* p : {"1 -0.01", "0.5 -0.05", "0 0", "0.5 0.06", "1 0.01"}) text += std::string(p) + end;
        s = FoilState{};
        ASSERT_EQ(Read(text).kind, ReadOutcome::Kind::ReadOk) << "line end " << int(end[0]);
        *state = s;
    }
    EXPECT_EQ(lf.NP, 5);
    EXPECT_EQ(lf.X, crlf.X);
    EXPECT_EQ(cr.Y, crlf.Y);
    EXPECT_EQ(lf.TITLE, crlf.TITLE);
}

TEST_F(Reader, TrailingEmptyLineIsABadLine) {
    const auto o = Read("t\r\nX Y D\r\n1 0\r\n0 0.1\r\n1 0.01\r\n\r\n");
    EXPECT_EQ(o.kind, ReadOutcome::Kind::BadLine);
    EXPECT_EQ(o.line, 6);
    EXPECT_EQ(o.message, "Error in input file: wing.dat line:6.\rRemove all empty lines in the end "
                         "of input file.\rJOB TERMINATED !");
}

TEST_F(Reader, TabsAloneSeparateNothing) {
    const auto o = Read("t\r\nX Y D\r\n1\t0\r\n");
    EXPECT_EQ(o.kind, ReadOutcome::Kind::BadLine);
    EXPECT_EQ(o.line, 3);
}

TEST_F(Reader, FieldsAreReadFromTheirFirstTenCharacters) {
    ASSERT_EQ(Read("t\r\nX Y D\r\n1 0\r\n0.5 -0.1\r\n0 0\r\n0.5 0.123456789\r\n1 0.01\r\n").kind,
              ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(s.Y(4), 0.12345678f);
}

TEST_F(Reader, StationsGiveBothSurfaces) {
    const auto o = Read("t\r\n  X YU YL DU DL\r\n0 0.001 -0.001 0.3 0.4\r\n0.5 0.06 -0.05 0.002\r\n1 0.01 -0.01\r\n");
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    EXPECT_EQ(o.pointOrder, kOrderLeadingEdgeToTrailingEdge);
    ASSERT_EQ(s.NP, 5);
    EXPECT_EQ(s.Y(1), -0.01f); // last station's lower point
    EXPECT_EQ(s.Y(5), 0.01f);  // its upper point
    EXPECT_EQ(s.Y(3), -0.001f); // the shared leading edge keeps the lower values
    EXPECT_EQ(s.D(3), 0.4f);
    EXPECT_EQ(s.D(4), 0.002f); // four fields: DL = 0
    EXPECT_EQ(s.D(2), 0.0f);
}

std::string Blwf(const std::string& keyword, const std::string& counts, const std::string& body) {
    return "title\r\n" + keyword + "\r\nheader\r\n" + counts + "\r\nh1\r\nh2\r\nh3\r\n" + body;
}

TEST_F(Reader, BlwfSymmetricMirrorsTheUpperSurface) {
    // NL in the file is ignored; the shared leading-edge point's Y is negated by the mirror.
    const auto o = Read(Blwf("BLWF", " 1 3 7", "0 0.001\r\n0.5 0.06 0.002\r\n1 0.01\r\n"));
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    ASSERT_EQ(s.NP, 5);
    EXPECT_EQ(s.Y(1), -0.01f);
    EXPECT_EQ(s.Y(2), -0.06f);
    EXPECT_EQ(s.D(2), 0.002f);
    EXPECT_EQ(s.Y(3), -0.001f);
    EXPECT_EQ(s.Y(5), 0.01f);
}

TEST_F(Reader, BlwfWithBothSurfaces) {
    const auto o = Read(Blwf("a BLWF block", " 0 3 2",
                             "0 0\r\n0.5 0.06\r\n1 0.01\r\nlower\r\n0 0.0005\r\n1 -0.01 0.003\r\n"));
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    ASSERT_EQ(s.NP, 4);
    EXPECT_EQ(s.Y(2), 0.0005f); // the first lower line overwrites the shared point
    EXPECT_EQ(s.Y(1), -0.01f);
    EXPECT_EQ(s.D(1), 0.003f);
    EXPECT_EQ(s.Y(4), 0.01f);
}

TEST_F(Reader, BlwfInverseListsFromTheTrailingEdge) {
    const auto o = Read(Blwf("BL_WF_inverse", " 0 3 3",
                             "1 -0.01\r\n0.5 -0.05\r\n0 0\r\nupper\r\n1 0.01\r\n0.5 0.06\r\n0 0.0001\r\n"));
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    ASSERT_EQ(s.NP, 5);
    EXPECT_EQ(s.Y(1), -0.01f);
    EXPECT_EQ(s.Y(3), 0.0001f); // the last line of each list lands on the shared point
    EXPECT_EQ(s.Y(4), 0.06f);
    EXPECT_EQ(s.Y(5), 0.01f);
}

TEST_F(Reader, BlwfInverseSymmetricBuildsTheMirrorImage) {
    const auto o = Read(Blwf("BL_WF_inverse", " 1 3 3", "1 -0.01 0.001\r\n0.5 -0.05\r\n0 0\r\n"));
    ASSERT_EQ(o.kind, ReadOutcome::Kind::ReadOk) << o.message;
    ASSERT_EQ(s.NP, 5);
    EXPECT_EQ(s.Y(4), 0.05f);
    EXPECT_EQ(s.Y(5), 0.01f);
    EXPECT_EQ(s.D(5), 0.001f);
    EXPECT_EQ(s.X(5), 1.0f);
}

TEST_F(Reader, KeywordAnywhereInALineButNotInTheTitle) {
    ASSERT_EQ(Read("t\r\nsome words BLWF more words\r\nh\r\n 1 3 3\r\nh\r\nh\r\nh\r\n0 0\r\n"
                   "0.5 0.05\r\n1 0.01\r\n")
                  .kind,
              ReadOutcome::Kind::ReadOk);
    s = FoilState{};
    const auto o = Read("X Y D in the title\r\n1 0\r\n0 0\r\n1 0\r\n");
    ExpectUnchanged(o, ReadOutcome::Kind::NoKeyword);
    EXPECT_EQ(o.message, kNoKeywordMessage);
}

TEST_F(Reader, RefusesMoreThanTheSectionHolds) {
    std::string xyd = "t\r\nX Y D\r\n";
    for (int i = 0; i < 402; ++i) xyd += "0.5 0.01\r\n";
    auto o = Read(xyd);
    ExpectUnchanged(o, ReadOutcome::Kind::TooLarge);
    EXPECT_NE(o.message.find("401"), std::string::npos);

    std::string stations = "t\r\nX YU YL DU DL\r\n";
    for (int i = 0; i < 202; ++i) stations += "0.5 0.01 -0.01\r\n";
    o = Read(stations);
    ExpectUnchanged(o, ReadOutcome::Kind::TooLarge);
    EXPECT_NE(o.message.find("201"), std::string::npos);

    ExpectUnchanged(Read(Blwf("BLWF", " 0 300 200", "")), ReadOutcome::Kind::TooLarge);
}

TEST_F(Reader, RefusesFilesItCannotUse) {
    ExpectUnchanged(Read(""), ReadOutcome::Kind::Refused); // no line at all
    ExpectUnchanged(Read(Blwf("BLWF", " 0 3 3", "0 0\r\n0.5 0.06\r\n")), ReadOutcome::Kind::Refused);
    ExpectUnchanged(Read("t\r\nX Y D\r\n1 0\r\n0 0\r\n"), ReadOutcome::Kind::Refused); // 2 points
    ExpectUnchanged(Read("t\r\nX Y D\r\n1 0\r\n0 1e99\r\n1 0\r\n"), ReadOutcome::Kind::Refused);
    ExpectUnchanged(Read(Blwf("BLWF", " 2 3 5", "0 0\r\n0.5 0.06\r\n1 0\r\n")), ReadOutcome::Kind::Refused);

    inputs.INPATH = folder / "missing.dat";
    ExpectUnchanged(ReadInputFile(inputs, s), ReadOutcome::Kind::Unreadable);
    inputs.INPATH = folder.Path().string();
    ExpectUnchanged(ReadInputFile(inputs, s), ReadOutcome::Kind::Unreadable);
}

class ReaderGrid : public Reader {
  protected:
    std::string Section() {
        FoilState naca{};
        testing::FillSection(naca, testing::Naca{0.0, 0.4, 0.12, 21, true});
        return testing::XydText(naca);
    }
};

TEST_F(ReaderGrid, UpperSurfaceScaledFromZeroToOne) {
    inputs.gridChoice = kGridFromFile; // no X_INP.DAT in the folder: the same fallback
    ASSERT_EQ(Read(Section()).kind, ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(s.NNODES, 21);
    EXPECT_EQ(s.XNODES(1), 0.0f);
    EXPECT_EQ(s.XNODES(21), 1.0f);
    EXPECT_NEAR(s.XNODES(11), 0.5, 1e-6);
}

TEST_F(ReaderGrid, GridFileValuesAsTheyStand) {
    folder.Write("X_INP.DAT", "grid\r\n0.0, 0.1 0.3\n0.6,0.9\r\n1.2\r\n\r\n");
    inputs.gridChoice = kGridFromFile;
    ASSERT_EQ(Read(Section()).kind, ReadOutcome::Kind::ReadOk);
    ASSERT_EQ(s.NNODES, 6);
    EXPECT_EQ(s.XNODES(2), 0.1f);
    EXPECT_EQ(s.XNODES(6), 1.2f);
}

TEST_F(ReaderGrid, ShortGridFileGivesWayToTheUpperSurface) {
    folder.Write("X_INP.DAT", "grid\r\n0 0.5 1\r\n");
    inputs.gridChoice = kGridFromFile;
    ASSERT_EQ(Read(Section()).kind, ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(s.NNODES, 21);
}

TEST_F(ReaderGrid, BadGridFileIsRefused) {
    folder.Write("X_INP.DAT", "grid\r\n0 0.2 abc 0.6 1\r\n");
    inputs.gridChoice = kGridFromFile;
    const auto o = Read(Section());
    ExpectUnchanged(o, ReadOutcome::Kind::Refused);
    EXPECT_NE(o.message.find("abc"), std::string::npos);
}

TEST_F(ReaderGrid, CosineDistribution) {
    inputs.gridChoice = kGridCosine;
    inputs.nodesText = "61";
    ASSERT_EQ(Read(Section()).kind, ReadOutcome::Kind::ReadOk);
    ASSERT_EQ(s.NNODES, 61);
    EXPECT_EQ(s.XNODES(1), 0.0f);
    EXPECT_EQ(s.XNODES(61), 1.0f);
    // the divisor is the node count, not one less
    EXPECT_EQ(s.XNODES(2), static_cast<float>((1 - std::cos(3.14159265 / 61)) / 2));
    EXPECT_LT(s.XNODES(60), 0.999f);
}

TEST_F(ReaderGrid, NodeCountOutsideWhatARunCanUse) {
    inputs.gridChoice = kGridCosine;
    inputs.nodesText = "300";
    ExpectUnchanged(Read(Section()), ReadOutcome::Kind::TooLarge);
    inputs.nodesText = "two";
    ExpectUnchanged(Read(Section()), ReadOutcome::Kind::Refused);
}

TEST_F(ReaderGrid, SmoothingFlagFromTheCheckBox) {
    inputs.smoothChecked = false;
    ASSERT_EQ(Read(Section()).kind, ReadOutcome::Kind::ReadOk);
    EXPECT_EQ(s.SMOOTH, 0);
}

} // namespace
} // namespace zarnfoil
