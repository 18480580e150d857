// Picture formats and cell rows, as every file and label shows numbers.
#include "core/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

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

namespace zarnfoil {
namespace {

// An independent, plainly written formatter to check the fast one against: the value's
// seven digits from printf, rounded as decimal text, laid out by the picture's rules.
std::string ReferencePicture(float value, const std::string& picture) {
    char sci[32];
    std::snprintf(sci, sizeof sci, "%.6e", std::fabs(static_cast<double>(value)));
    std::string digits = std::string(1, sci[0]) + std::string(sci + 2, 6);
    const int exponent = std::atoi(std::strchr(sci, 'e') + 1);
    const auto point = picture.find('.');
    const std::string intPicture = picture.substr(0, point);
    const std::string fracPicture = point == std::string::npos ? "" : picture.substr(point + 1);
    const int decimals = static_cast<int>(fracPicture.size());

    // exact decimal text of the seven digits with enough places on both sides
    std::string intText, fracText;
    if (exponent >= 0) {
        digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(exponent + 1)), '0');
        intText = digits.substr(0, static_cast<std::size_t>(exponent + 1));
        fracText = digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        intText = "0";
        fracText = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    fracText.resize(std::max<std::size_t>(fracText.size(), static_cast<std::size_t>(decimals + 1)), '0');
    std::string kept = intText + fracText.substr(0, static_cast<std::size_t>(decimals));
    if (fracText[static_cast<std::size_t>(decimals)] >= '5') {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') kept[static_cast<std::size_t>(k--)] = '0';
        if (k < 0) kept = "1" + kept;
        else ++kept[static_cast<std::size_t>(k)];
    }
    std::string integer = kept.substr(0, kept.size() - static_cast<std::size_t>(decimals));
    std::string fraction = kept.substr(kept.size() - static_cast<std::size_t>(decimals));
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    integer.erase(0, integer.find_first_not_of('0') == std::string::npos ? integer.size()
                                                                            : integer.find_first_not_of('0'));
    const auto zeros = static_cast<std::size_t>(std::count(intPicture.begin(), intPicture.end(), '0'));
    if (integer.size() < zeros) integer = std::string(zeros - integer.size(), '0') + integer;
    while (!fraction.empty() && fraction.back() == '0' && fracPicture[fraction.size() - 1] == '#')
        fraction.pop_back();
    return (value < 0 && !zero ? "-" : "") + integer + (point == std::string::npos ? "" : "." + fraction);
}

TEST(FormatPicture, AgreesWithAPlainReferenceOnRandomValues) {
    const char* pictures[] = {"###0.0#####", "##0",      "####.####", "#0.####", "#0.###",
                              "#0.000",      "#0.0000",  "#0.00000",  "#.0#",    "#0.0#",
                              "#0.000##",    "0.00#",    "#0.0",      "#0.0##",  "#0.0####",
                              "0.0#####"};
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 9);
    for (int i = 0; i < 30000; ++i) {
        const auto v = static_cast<float>(mantissa(rng) * std::pow(10.0, exponent(rng)));
        for (const char* picture : pictures)
            ASSERT_EQ(FormatPicture(v, picture), ReferencePicture(v, picture)) << v << " " << picture;
    }
    for (float v : {0.0f, 0.5f, 0.05f, 0.0000005f, -0.0000005f, 9999999.0f, 1e7f, 123456.75f,
                    -3e20f, 4.5e-7f, 999999.94f})
        for (const char* picture : pictures)
            EXPECT_EQ(FormatPicture(v, picture), ReferencePicture(v, picture)) << v << " " << picture;
}

} // namespace
} // namespace zarnfoil
