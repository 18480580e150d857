// File names derived from the picked section file.
#include "files/output_names.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));

TEST(FileNames, PlainName) {
    const FileNames n = DeriveFileNames(sep + "data", "wing.dat");
    EXPECT_EQ(n.INPATH, sep + "data" + sep + "wing.dat");
    EXPECT_EQ(n.OUTFILE1, sep + "data" + sep + "wing.out1");
    EXPECT_EQ(n.OUTFILE2, sep + "data" + sep + "wing.out2");
    EXPECT_EQ(n.STLFILE, sep + "data" + sep + "wing.stl");
    EXPECT_EQ(n.STLPROPFILE, sep + "data" + sep + "wing.stl.prop");
    EXPECT_EQ(n.reportName, "wing.out1");
}

TEST(FileNames, StemEndsAtTheFirstDot) {
    EXPECT_EQ(DeriveFileNames("d", "naca.0012.dat").reportName, "naca.out1");
}

TEST(FileNames, NameWithoutADot) {
    const FileNames n = DeriveFileNames("d", "wing");
    EXPECT_EQ(n.OUTFILE1, "d" + sep + "out1");
    EXPECT_EQ(n.STLPROPFILE, "d" + sep + "stl.prop");
}

TEST(FileNames, NoDoubledSeparatorAtARoot) {
    EXPECT_EQ(DeriveFileNames(sep, "wing.dat").OUTFILE1, sep + "wing.out1");
}

TEST(FileNames, OutputFolderElsewhere) {
    const FileNames n = DeriveFileNames("in", "wing.dat", "out");
    EXPECT_EQ(n.INPATH, "in" + sep + "wing.dat");
    EXPECT_EQ(n.OUTFILE1, "out" + sep + "wing.out1");
}

TEST(FileNames, LongPathsStayWhole) {
    const std::string deep = sep + std::string(200, 'd');
    EXPECT_EQ(DeriveFileNames(deep, "wing.dat").OUTFILE2.size(), deep.size() + 10);
}

} // namespace
} // namespace zarnfoil
