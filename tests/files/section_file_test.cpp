// What the reader mends or refuses beyond the layouts themselves: the point order of thin,
// cambered sections, the file lines that messages name, rows after a BLWF block, the title's
// cut, and files that are not section files at all.
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include "../support/naca_section.h"
#include "temp_folder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zarnfoil {
namespace {

using Kind = ReadOutcome::Kind;

class SectionFile : public ::testing::Test {
  protected:
    ReadOutcome Read(const std::string& text) {
        const FileNames names = DeriveFileNames(folder.Path().string(), "wing.dat");
        ApplyFileNames(s, names);
        inputs.INPATH = folder.Write("wing.dat", text);
        inputs.INNAME = "wing.dat";
        inputs.directory = folder.Path().string();
        return ReadInputFile(inputs, s);
    }

    testing::TempFolder folder;
    ReaderInputs inputs;
    FoilState s{};
};

TEST_F(SectionFile, ThinCamberedSectionFromTheUpperTrailingEdgeIsTurned) {
    // Camber 8 %, thickness 4 %: the lower surface lies above the chord line. Listed from the
    // upper trailing edge with 15 upper and 45 lower points, the quarter point m = 15 is the
    // leading edge and NP - m lies on the raised lower surface, so the quarter test alone
    // would keep the order; the contour runs counter-clockwise, so it is turned.
    const testing::Naca naca{0.08, 0.4, 0.04, 0, true};
    std::string text = "thin cambered\r\nX Y D\r\n";
    const auto point = [&](double x, double side) {
        char row[64];
        std::snprintf(row, sizeof row, "%.6f %.6f\r\n", x,
                      testing::NacaCamber(naca, x) + side * testing::NacaThickness(naca, x));
        text += row;
    };
    for (int k = 14; k >= 0; --k)
        point((1 - std::cos(3.14159265358979 * k / 14)) / 2, 1);
    for (int k = 1; k <= 44; ++k)
        point((1 - std::cos(3.14159265358979 * k / 44)) / 2, -1);
    const ReadOutcome o = Read(text);
    ASSERT_EQ(o.kind, Kind::ReadOk) << o.message;
    EXPECT_EQ(o.pointOrder, kOrderFromUpperTrailingEdge);
    EXPECT_EQ(s.NP, 59);
    EXPECT_TRUE(s.LINE(1) == 61 && s.LINE(59) == 3) << s.LINE(1);
    RunParams p;
    ASSERT_TRUE(RunSmoothing(s, p).Succeeded());
    EXPECT_NEAR(2 * s.HTMAX, 0.04, 0.002);
}

TEST_F(SectionFile, RunMessagesNameTheLinesOfTheFile) {
    // Listed from the upper trailing edge; the file's lines 4 and 5 turn back.
    ASSERT_EQ(
        Read("t\r\nX Y D\r\n1 0.01\r\n0.4 0.05\r\n0.5 0.06\r\n0 0\r\n0.5 -0.05\r\n1 -0.01\r\n")
            .kind,
        Kind::ReadOk);
    RunParams p;
    const RunOutcome run = RunSmoothing(s, p);
    ASSERT_EQ(run.kind, RunOutcome::Kind::Refused);
    EXPECT_NE(run.message.find("Point 5 (line 4 of wing.dat): the parameter T"), std::string::npos)
        << run.message;
    EXPECT_NE(run.message.find("from point 4 (line 5 of wing.dat)"), std::string::npos);
}

TEST_F(SectionFile, RowsAfterTheBlwfPointsAreNamed) {
    const ReadOutcome o = Read("t\r\nBLWF\r\nheader\r\n 1 3 3\r\nh1\r\nh2\r\nh3\r\n0 0\r\n0.5 "
                               "0.06\r\n1 0\r\n1 0\r\n\r\n0.5 0\r\n\r\n");
    ASSERT_EQ(o.kind, Kind::ReadOk) << o.message;
    ASSERT_EQ(o.notes.size(), 1u);
    EXPECT_EQ(o.notes[0], "Lines 11 to 13 of wing.dat follow the points that line 4 announces "
                          "(NU = 3, NL = 3, the lower surface mirrored) and were not read.");
    EXPECT_TRUE(Read("t\r\nBLWF\r\nheader\r\n 1 3 3\r\nh1\r\nh2\r\nh3\r\n0 0\r\n0.5 0.06\r\n1 "
                     "0\r\n\r\n")
                    .notes.empty());
}

TEST_F(SectionFile, TheTitleIsCutBetweenCharacters) {
    const std::string text = "X Y D\r\n1 0\r\n0.5 -0.1\r\n0 0\r\n0.5 0.1\r\n1 0\r\n";
    // "é" takes bytes 80 and 81: cut before it, padded to 80.
    ASSERT_EQ(Read(std::string(79, 'a') + "\xC3\xA9" + "bc\r\n" + text).kind, Kind::ReadOk);
    EXPECT_EQ(s.TITLE, std::string(79, 'a') + " ");
    ASSERT_EQ(Read(std::string(78, 'a') + "\xC3\xA9" + "bc\r\n" + text).kind, Kind::ReadOk);
    EXPECT_EQ(s.TITLE, std::string(78, 'a') + "\xC3\xA9");
    // bytes that are no UTF-8 (a Latin-1 title) are cut as they stand
    ASSERT_EQ(Read(std::string(79, 'a') + "\xE9\xE9" + "\r\n" + text).kind, Kind::ReadOk);
    EXPECT_EQ(s.TITLE, std::string(79, 'a') + "\xE9");
}

TEST_F(SectionFile, OnlyRegularFilesOfSectionSizeAreRead) {
    const std::string fifo = folder / "pipe.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        Kind kind;
        const char* says;
    } cases[] = {{fifo, Kind::Unreadable, "not a regular file"},
                 {"/dev/zero", Kind::Unreadable, "not a regular file"},
                 {folder.Path().string(), Kind::Unreadable, "folder"},
                 {folder.Write("big.dat", "t\r\nX Y D\r\n" + std::string(5 << 20, ' ')),
                  Kind::TooLarge, "bytes"},
                 {folder / "wing.dat ", Kind::Unreadable, "cannot be opened"}};
    folder.Write("wing.dat", "t\r\nX Y D\r\n1 0\r\n0 0.1\r\n1 0\r\n");
    for (const auto& c : cases) {
        inputs.INPATH = c.path;
        const ReadOutcome o = ReadInputFile(inputs, s);
        EXPECT_EQ(o.kind, c.kind) << c.path;
        EXPECT_NE(o.message.find(c.says), std::string::npos) << o.message;
        EXPECT_EQ(s.NP, 0);
    }
    // The grid file likewise.
    ::mkfifo((folder / "X_INP.DAT").c_str(), 0600);
    inputs.gridChoice = kGridFromFile;
    const ReadOutcome grid = Read("t\r\nX Y D\r\n1 0\r\n0 0.1\r\n1 0\r\n");
    EXPECT_EQ(grid.kind, Kind::Unreadable);
    EXPECT_NE(grid.message.find("X_INP.DAT cannot be read"), std::string::npos) << grid.message;
}

} // namespace
} // namespace zarnfoil
