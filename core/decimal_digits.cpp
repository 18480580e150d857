// Seven significant digits of a float by exact integer arithmetic: |value| = m * 2^e with an
// integer m below 2^24, so value * 10^k is a ratio of two integers that fit in 128 bits for
// the values an airfoil's files hold; others take the standard library's route.
#include "core/decimal_digits.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstring>

namespace zarnfoil {
namespace {

using Wide = unsigned __int128;

constexpr std::uint64_t kLow = 1000000;   // 10^6: the smallest seven-digit integer
constexpr std::uint64_t kHigh = 10000000; // 10^7

constexpr auto kPowersOfTen = [] {
    std::array<Wide, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

DecimalDigits FromLibrary(float magnitude) {
    char sci[32];
    const auto res = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 6);
    DecimalDigits d{};
    d.digits[0] = sci[0];
    std::memcpy(d.digits + 1, sci + 2, 6);
    const char* e = sci + 9; // after "d.dddddde"
    std::from_chars(e + (*e == '+' ? 1 : 0), res.ptr, d.exponent);
    return d;
}

// round(m * 2^e * 10^k), halves to even.
std::uint64_t Scaled(std::uint32_t m, int e, int k) {
    if (k >= 0 && k <= 11 && e < 0 && e > -64) { // m * 10^k < 2^64: plain 64-bit shifts
        const std::uint64_t n = m * static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(k)]);
        const std::uint64_t q = n >> -e;
        const std::uint64_t r = n & ((std::uint64_t(1) << -e) - 1);
        const std::uint64_t half = std::uint64_t(1) << (-e - 1);
        return q + ((r > half || (r == half && (q & 1) != 0)) ? 1 : 0);
    }
    Wide numerator = m;
    if (k >= 0) numerator *= kPowersOfTen[static_cast<std::size_t>(k)];
    Wide q, r, half;
    if (k >= 0 && e < 0) { // a power of two below: shifts do the division
        q = numerator >> -e;
        r = numerator & ((Wide(1) << -e) - 1);
        half = Wide(1) << (-e - 1);
    } else {
        Wide denominator = k < 0 ? kPowersOfTen[static_cast<std::size_t>(-k)] : 1;
        if (e >= 0) numerator <<= e;
        else denominator <<= -e;
        q = numerator / denominator;
        r = numerator % denominator;
        if (2 * r == denominator) return static_cast<std::uint64_t>(q + (q & 1));
        return static_cast<std::uint64_t>(q + (2 * r > denominator ? 1 : 0));
    }
    if (r > half || (r == half && (q & 1) != 0)) ++q;
    return static_cast<std::uint64_t>(q);
}

} // namespace

DecimalDigits SevenDigits(float value) {
    const float magnitude = std::fabs(value);
    DecimalDigits d{};
    if (magnitude == 0.0f) {
        std::memset(d.digits, '0', sizeof d.digits);
        return d;
    }
    if (!(magnitude >= 1e-10f && magnitude <= 1e10f)) return FromLibrary(magnitude);

    // magnitude = m * 2^e with m < 2^24 (a normal float's significand with its hidden bit)
    const auto bits = std::bit_cast<std::uint32_t>(magnitude);
    const auto m = (bits & 0x7fffffu) | 0x800000u;
    const int e = static_cast<int>(bits >> 23) - 127 - 23;

    // decimal exponent from the binary one (log10 2 = 0.30103), then corrected to the digits
    int exponent = ((e + 23) * 78913) >> 18;
    std::uint64_t q = Scaled(m, e, 6 - exponent);
    while (q >= kHigh) q = Scaled(m, e, 6 - ++exponent);
    while (q < kLow) q = Scaled(m, e, 6 - --exponent);

    d.exponent = exponent;
    for (int i = 6; i >= 0; --i) {
        d.digits[i] = static_cast<char>('0' + q % 10);
        q /= 10;
    }
    return d;
}

} // namespace zarnfoil
