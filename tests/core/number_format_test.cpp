// Picture formats and cell rows, as every file and label shows numbers.
#include "core/number_format.h"

#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

TEST(FormatPicture, WorkedExamples) {
    EXPECT_EQ(FormatPicture(1, "###0.0#####"), "1.0");
    EXPECT_EQ(FormatPicture(0.5f, "###0.0#####"), "0.5");
    EXPECT_EQ(FormatPicture(-0.25f, "###0.0#####"), "-0.25");
    EXPECT_EQ(FormatPicture(1.23456789f, "###0.0#####"), "1.234568");
    EXPECT_EQ(FormatPicture(61, "##0"), "61");
    EXPECT_EQ(FormatPicture(0, "##0"), "0");
    EXPECT_EQ(FormatPicture(0.12f, "#0.000"), "0.120");
    EXPECT_EQ(FormatPicture(0.5f, "0.00#"), "0.50");
    EXPECT_EQ(FormatPicture(1.5f, "#0.0####"), "1.5");
    EXPECT_EQ(FormatPicture(5, "#0.###"), "5.");
    EXPECT_EQ(FormatPicture(0, "#.0#"), ".0");
}

TEST(FormatPicture, IntegerPartIsWrittenWhole) {
    EXPECT_EQ(FormatPicture(1234, "##0"), "1234");
    EXPECT_EQ(FormatPicture(0.5f, "#.0#"), ".5");
    EXPECT_EQ(FormatPicture(-0.5f, "#.0#"), "-.5");
    EXPECT_EQ(FormatPicture(1, "####.####"), "1.");
    EXPECT_EQ(FormatPicture(0.7f, "0.00#"), "0.70");
    EXPECT_EQ(FormatPicture(61, "#0.000"), "61.000");
}

TEST(FormatPicture, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatPicture(0.125f, "#0.0#"), "0.13");
    EXPECT_EQ(FormatPicture(-0.125f, "#0.0#"), "-0.13");
    EXPECT_EQ(FormatPicture(2.5f, "##0"), "3");
    EXPECT_EQ(FormatPicture(0.9999996f, "#0.0#####"), "1.0");
    EXPECT_EQ(FormatPicture(9.99999f, "#0.0#"), "10.0");
}

TEST(FormatPicture, UsesTheFloatsOwnSevenDigits) {
    // 0.1f is 0.100000001..., 123.45f is 123.449997...: no noise digits appear.
    EXPECT_EQ(FormatPicture(0.1f, "###0.0#####"), "0.1");
    EXPECT_EQ(FormatPicture(123.45f, "###0.0#####"), "123.45");
    EXPECT_EQ(FormatPicture(1e-7f, "###0.0#####"), "0.0");
    EXPECT_EQ(FormatPicture(1.5e-6f, "###0.0#####"), "0.000002");
}

TEST(FormatPicture, NegativeValueRoundingToZeroHasNoSign) {
    EXPECT_EQ(FormatPicture(-1e-7f, "###0.0#####"), "0.0");
    EXPECT_EQ(FormatPicture(-0.0f, "#0.000"), "0.000");
}

TEST(FormatRow, ThreeCells) {
    // the rule gives four trailing spaces in the last 10-character cell
    EXPECT_EQ(FormatRow({1, 0.5f, -0.25f}), " 1.0       0.5       -0.25    ");
}

TEST(FormatRow, InfinityAboveOneMillionOnly) {
    EXPECT_EQ(FormatRow({1000000.0f}), " 1000000.0");
    EXPECT_EQ(FormatRow({1000000.1f}), " Infinity ");
    EXPECT_EQ(FormatRow({1e8f, 1.0f}), " Infinity  1.0      ");
}

TEST(FormatRow, LongPieceRunsIntoNextCell) {
    // -5000000.0 is ten characters: its last one takes the next cell's leading space
    EXPECT_EQ(FormatRow({-5000000.0f, 1.0f}), " -5000000.01.0      ");
    EXPECT_EQ(FormatRow({-5000000.0f, 0.0f}).size(), 20u);
    // in the last cell the excess is cut at the end of the row
    EXPECT_EQ(FormatRow({1.0f, -5000000.0f}), " 1.0       -5000000.");
}

TEST(FormatRow, CountAboveNineKeepsItsLength) {
    std::string row = "old";
    std::int16_t count = 12;
    const float values[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    FormatRow(row, count, values);
    EXPECT_EQ(count, 9);
    ASSERT_EQ(row.size(), 120u);
    EXPECT_EQ(row.substr(80, 10), " 9.0      ");
    EXPECT_EQ(row.substr(90), std::string(30, ' '));
}

TEST(FormatRow, MissingValuesCountAsZero) {
    std::string row;
    std::int16_t count = 2;
    const float one[1] = {1};
    FormatRow(row, count, one);
    EXPECT_EQ(row, " 1.0       0.0      ");
}

} // namespace
} // namespace zarnfoil
