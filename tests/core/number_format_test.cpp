// Picture formats and cell rows, as every file and label shows numbers, and the seven
// significant digits of a float they are built from.
#include "core/number_format.h"

#include "core/decimal_digits.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace zarnfoil {
namespace {

TEST(FormatPicture, Table) {
    // The worked examples; the integer part written whole, with no digit before the point
    // unless the picture has a "0" there; halves away from zero, carrying into the integer
    // part; the float's own seven digits (0.1f is 0.100000001..., 123.45f is 123.449997...,
    // -12345678.9f is -12345679); no "-0".
    const struct { float value; const char* picture; const char* text; } cases[] = {
        {1, "###0.0#####", "1.0"}, {0.5f, "###0.0#####", "0.5"}, {-0.25f, "###0.0#####", "-0.25"},
        {1.23456789f, "###0.0#####", "1.234568"}, {61, "##0", "61"}, {0, "##0", "0"},
        {0.12f, "#0.000", "0.120"}, {0.5f, "0.00#", "0.50"}, {1.5f, "#0.0####", "1.5"},
        {5, "#0.###", "5."}, {0, "#.0#", ".0"}, {1234, "##0", "1234"}, {0.5f, "#.0#", ".5"},
        {-0.5f, "#.0#", "-.5"}, {1, "####.####", "1."}, {61, "#0.000", "61.000"},
        {0.125f, "#0.0#", "0.13"}, {-0.125f, "#0.0#", "-0.13"}, {2.5f, "##0", "3"},
        {0.9999996f, "#0.0#####", "1.0"}, {9.99999f, "#0.0#", "10.0"}, {0.1f, "###0.0#####", "0.1"},
        {123.45f, "###0.0#####", "123.45"}, {1.5e-6f, "###0.0#####", "0.000002"},
        {-12345678.9f, "###0.0#####", "-12345680.0"}, {-3e20f, "##0", "-300000000000000000000"},
        {1e-7f, "###0.0#####", "0.0"}, {-1e-7f, "###0.0#####", "0.0"}, {-0.0f, "#0.000", "0.000"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatPicture(c.value, c.picture), c.text) << c.value << " " << c.picture;
}

TEST(FormatRow, TenCharacterCellsForUpToNineValues) {
    // each value starts in its cell's second column; four trailing spaces fill a 30-character row
    EXPECT_EQ(FormatRow({1, 0.5f, -0.25f}), " 1.0       0.5       -0.25    ");
    // "Infinity" only above one million
    EXPECT_EQ(FormatRow({1000000.0f}), " 1000000.0");
    EXPECT_EQ(FormatRow({1e8f, 1000000.1f}), " Infinity  Infinity ");
    // -5000000.0 is ten characters: its last one takes the next cell's leading space, and in
    // the last cell the excess is cut at the end of the row
    EXPECT_EQ(FormatRow({-5000000.0f, 1.0f}), " -5000000.01.0      ");
    EXPECT_EQ(FormatRow({1.0f, -5000000.0f}), " 1.0       -5000000.");
    // a count above nine keeps its length, and missing values are zero
    std::string row = "old";
    std::int16_t count = 12;
    const float values[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    FormatRow(row, count, values);
    EXPECT_EQ(count, 9);
    EXPECT_EQ(row.substr(70), " 8.0       9.0      " + std::string(30, ' '));
    count = 2;
    FormatRow(row, count, std::span<const float>(values, 1));
    EXPECT_EQ(row, " 1.0       0.0      ");
}

TEST(SevenDigits, AgreeWithPrintf) {
    // random floats, and 50 either side of each power of ten, where the scale changes
    std::vector<float> values = {0.125f, 1.0000005f, 9999999.5f, 999999.94f, 3.4e38f, 1.4e-45f};
    for (int p = -12; p <= 12; ++p) {
        float v = static_cast<float>(std::pow(10.0, p));
        for (int k = 0; k < 50; ++k) v = std::nextafter(v, 0.0f);
        for (int k = 0; k < 100; ++k, v = std::nextafter(v, 1e30f)) values.push_back(v);
    }
    std::mt19937 rng(1);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0x7f7fffff);
    for (int i = 0; i < 200000; ++i) values.push_back(std::bit_cast<float>(bits(rng)));
    for (float v : values) {
        char expected[32], ours[32], digits[7];
        std::snprintf(expected, sizeof expected, "%.6e", static_cast<double>(v));
        const DecimalDigits d = SevenDigits(v);
        DigitText(d, digits);
        std::snprintf(ours, sizeof ours, "%c.%.6se%+03d", digits[0], digits + 1, d.exponent);
        ASSERT_STREQ(ours, expected) << v;
    }
}

} // namespace
} // namespace zarnfoil
