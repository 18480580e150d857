// Numbers read from fields and text boxes, with "." whatever the locale.
#include "core/number_field.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

TEST(ReadNumberField, LongestLeadingDecimalNumber) {
    // A field starts at its first character; an exponent without digits ends the number
    // before its "E"; no number gives 0.
    const struct { const char* text; double value; } cases[] = {
        {"0.25", 0.25}, {"-1.5abc", -1.5}, {"+3", 3}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5},
        {"1.5.3", 1.5}, {"1,5", 1}, {"1.5E2", 150}, {"2e+1", 20}, {"1.0D-3", 0.001},
        {"1.5E", 1.5}, {"1.5E-x", 1.5}, {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"E5", 0},
        {"\t0.5", 0}, {"1e-999", 0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ReadNumberField(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isinf(ReadNumberField("1e999")));
    EXPECT_LT(ReadNumberField("-1e999"), 0.0);
}

TEST(ReadNumberField, TextBoxesSkipLeadingBlanksOrMustHoldOneNumber) {
    EXPECT_DOUBLE_EQ(ReadTextBoxNumber("  0.002"), 0.002);
    EXPECT_DOUBLE_EQ(ReadTextBoxNumber("61 nodes"), 61.0);
    EXPECT_EQ(ReadTextBoxNumber("   "), 0.0);
    EXPECT_EQ(ReadWholeNumber(" 0.5 "), 0.5);
    EXPECT_EQ(ReadWholeNumber("1D-2"), 0.01);
    for (const char* text : {"0.5x", "", "1.5E", "0,5"})
        EXPECT_FALSE(ReadWholeNumber(text)) << text;
    // A box that starts with no number holds none, where the number field would give 0.
    EXPECT_EQ(ReadLeadingNumber(" 0.0005mm"), 0.0005);
    EXPECT_EQ(ReadLeadingNumber("0"), 0.0);
    for (const char* text : {"abc", "", "  ", "mm 0.5", ".", "-"})
        EXPECT_FALSE(ReadLeadingNumber(text)) << text;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const double cases[][2] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {31.5, 32}, {32.5, 32}, {0.75, 1}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c[0]), c[1]) << c[0];
}

} // namespace
} // namespace zarnfoil
