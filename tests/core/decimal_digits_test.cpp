// The fast seven-digit conversion gives exactly printf's "%.6e" digits.
#include "core/decimal_digits.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace zarnfoil {
namespace {

std::string Printf(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(std::fabs(v)));
    return buf;
}

std::string Ours(float v) {
    const DecimalDigits d = SevenDigits(v);
    char digits[7];
    DigitText(d, digits);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%c.%.6se%+03d", digits[0], digits + 1, d.exponent);
    return buf;
}

TEST(SevenDigits, AgreesWithPrintfOnRandomFloats) {
    std::mt19937 rng(1);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0x7f7fffff);
    for (int i = 0; i < 200000; ++i) {
        float v;
        const std::uint32_t b = bits(rng);
        std::memcpy(&v, &b, sizeof v);
        ASSERT_EQ(Ours(v), Printf(v)) << v;
    }
}

TEST(SevenDigits, AgreesAroundPowersOfTenAndHalves) {
    for (int p = -12; p <= 12; ++p) {
        const float base = static_cast<float>(std::pow(10.0, p));
        float v = base;
        for (int step = 0; step < 50; ++step) v = std::nextafter(v, 0.0f);
        for (int step = 0; step < 100; ++step, v = std::nextafter(v, 1e30f)) ASSERT_EQ(Ours(v), Printf(v)) << v;
    }
    for (float v : {0.125f, 1.0000005f, 0.5f, 9999999.5f, 1234567.5f, 999999.94f, 2.5e-7f, 1e-6f,
                    9.9999997e-7f, 1e-10f, 1e7f, 1e10f, 3.4e38f, 1.4e-45f})
        EXPECT_EQ(Ours(v), Printf(v)) << v;
}

TEST(SevenDigits, Zero) {
    const DecimalDigits d = SevenDigits(0.0f);
    EXPECT_EQ(d.value, 0u);
    EXPECT_EQ(d.exponent, 0);
}

} // namespace
} // namespace zarnfoil
