// Sections in the two layouts of the public airfoil databases: the bundled samples of each
// kind, and the files that fit neither.
#include "files/section_reader.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using Kind = ReadOutcome::Kind;

ReadOutcome ReadFile(const std::string& path, FoilState& s) {
    ReaderInputs inputs;
    inputs.INPATH = path;
    inputs.INNAME = std::filesystem::path(path).filename().string();
    inputs.directory = std::filesystem::path(path).parent_path().string();
    return ReadInputFile(inputs, s);
}

TEST(DatabaseLayouts, TheBundledSamplesReadInTheProgramsOrder) {
    const struct {
        const char* file;
        int np;
        std::int16_t order;
        std::size_t notes;
        bool openTrailingEdge;
    } cases[] = {
        // 41 + 41 points, the leading edge listed twice: merged, with a note
        {"naca2412_wrap_ccw.dat", 81, kOrderFromUpperTrailingEdge, 1, true},
        {"naca0012_wrap_cw.dat", 71, kOrderFromLowerTrailingEdge, 0, false},
        // the leading edge heading both surfaces is one point
        {"naca4415_split.dat", 61, kOrderLeadingEdgeToTrailingEdge, 0, true},
        {"naca2310_split.dat", 46, kOrderLeadingEdgeToTrailingEdge, 0, false},
    };
    for (const auto& c : cases) {
        auto s = std::make_unique<FoilState>();
        const ReadOutcome o =
            ReadFile(std::string(ZARNFOIL_SOURCE_DIR) + "/examples/" + c.file, *s);
        ASSERT_EQ(o.kind, Kind::ReadOk) << c.file << ": " << o.message;
        EXPECT_EQ(s->NP, c.np) << c.file;
        EXPECT_EQ(o.pointOrder, c.order) << c.file;
        EXPECT_EQ(o.notes.size(), c.notes) << c.file;
        EXPECT_EQ(s->TITLE.substr(0, 5), "NACA ") << c.file;
        // lower trailing edge first, the leading edge (x = 0) inside, upper trailing edge last
        int le = 1;
        for (int i = 1; i <= s->NP; ++i) {
            EXPECT_EQ(s->D(i), 0.0f);
            if (s->X(i) < s->X(le)) le = i;
            if (i > 1) {
                EXPECT_FALSE(s->X(i) == s->X(i - 1) && s->Y(i) == s->Y(i - 1)) << i;
            }
        }
        EXPECT_EQ(s->X(le), 0.0f) << c.file;
        EXPECT_TRUE(s->X(1) == 1.0f && s->X(s->NP) == 1.0f) << c.file;
        EXPECT_LE(s->Y(1), s->Y(s->NP)) << c.file; // lower not above upper at the trailing edge
        EXPECT_EQ(s->Y(1) != s->Y(s->NP), c.openTrailingEdge) << c.file;
        EXPECT_LT(s->Y(le / 2), s->Y(le + (s->NP - le) / 2)) << c.file;
        EXPECT_GT(s->LINE(1), 2) << c.file;
    }
}

TEST(DatabaseLayouts, RepeatsAreMergedWithANoteAndMisfitsAreNoSections) {
    testing::TempFolder folder;
    auto s = std::make_unique<FoilState>();
    const ReadOutcome o = ReadFile(
        folder.Write("r.dat",
                     "repeats\n1 0.01\n0.5 0.06\n0 0\n0 0\n0.5 -0.05\n0.5 -0.05\n1 -0.01\n"),
        *s);
    ASSERT_EQ(o.kind, Kind::ReadOk) << o.message;
    EXPECT_EQ(s->NP, 5);
    ASSERT_EQ(o.notes.size(), 2u);
    EXPECT_EQ(o.notes[0], "Line 7 of r.dat repeats the point of line 6 (x = 0.5, y = -0.05); the "
                          "two were merged.");

    // three numbers on a line, a word, counts that do not add up to a split file's points
    // while its first line is no point, too few points: today's message of a missing keyword
    for (const char* text : {"t\n1 0 0\n0 0 0\n1 0.1 0\n", "t\n1 0\n0 zero\n1 0.1\n",
                             "t\n1 0\n0 0\n", "t\n# only a comment\n\n"}) {
        const ReadOutcome misfit = ReadFile(folder.Write("m.dat", text), *s);
        EXPECT_EQ(misfit.kind, Kind::NoKeyword) << text;
        EXPECT_EQ(misfit.message, kNoKeywordMessage);
    }
}

} // namespace
} // namespace zarnfoil
