// File names derived from the picked section file.
#include "files/output_names.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

TEST(FileNames, DerivedFromThePickedFile) {
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::string data = sep + "data" + sep;
    const FileNames n = DeriveFileNames(sep + "data", "wing.dat");
    EXPECT_EQ(n.INPATH, data + "wing.dat");
    EXPECT_EQ(n.OUTFILE1, data + "wing.out1");
    EXPECT_EQ(n.OUTFILE2, data + "wing.out2");
    EXPECT_EQ(n.STLFILE, data + "wing.stl");
    EXPECT_EQ(n.STLPROPFILE, data + "wing.stl.prop");
    EXPECT_EQ(n.reportName, "wing.out1");
    EXPECT_EQ(DeriveFileNames("d", "naca.0012.dat").reportName, "naca.out1");
    EXPECT_EQ(DeriveFileNames("d", "wing").STLPROPFILE, "d" + sep + "stl.prop"); // no stem
    // a name ending in a blank is its own file; messages show it without the blank
    const FileNames blank = DeriveFileNames("d", "wing.dat ");
    EXPECT_TRUE(blank.INPATH == "d" + sep + "wing.dat " && blank.INNAME == "wing.dat");
    // joined without a doubled separator at a root, to an output folder elsewhere, and whole
    EXPECT_EQ(DeriveFileNames(sep, "wing.dat").OUTFILE1, sep + "wing.out1");
    const FileNames elsewhere = DeriveFileNames("in", "wing.dat", "out");
    EXPECT_EQ(elsewhere.INPATH, "in" + sep + "wing.dat");
    EXPECT_EQ(elsewhere.OUTFILE1, "out" + sep + "wing.out1");
    const std::string deep = sep + std::string(200, 'd');
    EXPECT_EQ(DeriveFileNames(deep, "wing.dat").OUTFILE2, deep + sep + "wing.out2");
}

} // namespace
} // namespace zarnfoil
