// Numbers read from fields and text boxes, with "." whatever the locale.
#include "core/number_field.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

TEST(ReadNumberField, LongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(ReadNumberField("0.25"), 0.25);
    EXPECT_DOUBLE_EQ(ReadNumberField("-1.5abc"), -1.5);
    EXPECT_DOUBLE_EQ(ReadNumberField("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ReadNumberField(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadNumberField("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ReadNumberField("5."), 5.0);
    EXPECT_DOUBLE_EQ(ReadNumberField("1.5.3"), 1.5);
    EXPECT_DOUBLE_EQ(ReadNumberField("1,5"), 1.0);
}

TEST(ReadNumberField, ExponentWithEOrD) {
    EXPECT_DOUBLE_EQ(ReadNumberField("1.5E2"), 150.0);
    EXPECT_DOUBLE_EQ(ReadNumberField("1.0D-3"), 0.001);
    EXPECT_DOUBLE_EQ(ReadNumberField("2e+1"), 20.0);
    EXPECT_DOUBLE_EQ(ReadNumberField("1.5E"), 1.5);  // no exponent digits: stops before E
    EXPECT_DOUBLE_EQ(ReadNumberField("1.5E-x"), 1.5);
}

TEST(ReadNumberField, NoNumberGivesZero) {
    EXPECT_EQ(ReadNumberField(""), 0.0);
    EXPECT_EQ(ReadNumberField("abc"), 0.0);
    EXPECT_EQ(ReadNumberField("."), 0.0);
    EXPECT_EQ(ReadNumberField("-"), 0.0);
    EXPECT_EQ(ReadNumberField("E5"), 0.0);
    EXPECT_EQ(ReadNumberField("\t0.5"), 0.0); // a field starts at its first character
}

TEST(ReadNumberField, OutOfRange) {
    EXPECT_TRUE(std::isinf(ReadNumberField("1e999")));
    EXPECT_LT(ReadNumberField("-1e999"), 0.0);
    EXPECT_EQ(ReadNumberField("1e-999"), 0.0);
}

TEST(ReadTextBoxNumber, SkipsLeadingBlanks) {
    EXPECT_DOUBLE_EQ(ReadTextBoxNumber("  0.002"), 0.002);
    EXPECT_DOUBLE_EQ(ReadTextBoxNumber("61 nodes"), 61.0);
    EXPECT_EQ(ReadTextBoxNumber("   "), 0.0);
}

TEST(ReadWholeNumber, WholeTextMustBeANumber) {
    EXPECT_EQ(ReadWholeNumber(" 0.5 "), 0.5);
    EXPECT_EQ(ReadWholeNumber("1D-2"), 0.01);
    EXPECT_FALSE(ReadWholeNumber("0.5x"));
    EXPECT_FALSE(ReadWholeNumber(""));
    EXPECT_FALSE(ReadWholeNumber("1.5E"));
    EXPECT_FALSE(ReadWholeNumber("0,5"));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(31.5), 32.0);
    EXPECT_EQ(RoundHalfEven(32.5), 32.0);
    EXPECT_EQ(RoundHalfEven(0.75), 1.0);
}

} // namespace
} // namespace zarnfoil
