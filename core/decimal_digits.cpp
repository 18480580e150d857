// Seven significant digits of a float. For 1e-6 <= |x| < 1e7 the scale 10^k has k in 0..12,
// so |x| * 10^k (a 24-bit significand times 5^k, at most 52 bits) is exact in double
// precision and rounding it to an integer is exactly printf's rounding; other values take the
// standard library's route.
#include "core/decimal_digits.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>

namespace zarnfoil {
namespace {

constexpr double kSmallest = 1e-6;
constexpr double kLargest = 1e7;
constexpr std::uint32_t kLow = 1000000;   // 10^6: the smallest seven-digit integer
constexpr std::uint32_t kHigh = 10000000; // 10^7

constexpr auto kPowersOfTen = [] {
    std::array<double, 13> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

DecimalDigits FromLibrary(float magnitude) {
    char sci[32];
    const auto res = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 6);
    DecimalDigits d{0, 0};
    for (const char* c = sci; c != sci + 8; ++c)
        if (*c != '.') d.value = d.value * 10 + static_cast<std::uint32_t>(*c - '0');
    const char* e = sci + 9; // after "d.dddddde"
    std::from_chars(e + (*e == '+' ? 1 : 0), res.ptr, d.exponent);
    return d;
}

// |x| * 10^(6 - exponent) rounded half to even; exact for the exponents of the fast range.
std::uint32_t Scaled(double magnitude, int exponent) {
    return static_cast<std::uint32_t>(std::nearbyint(magnitude * kPowersOfTen[static_cast<std::size_t>(6 - exponent)]));
}

} // namespace

DecimalDigits SevenDigits(float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude == 0.0) return {0, 0};
    if (!(magnitude >= kSmallest && magnitude < kLargest)) return FromLibrary(static_cast<float>(magnitude));

    // decimal exponent from the binary one (log10 2 = 0.30103), one step up where needed
    const int binary = static_cast<int>((std::bit_cast<std::uint32_t>(std::fabs(value)) >> 23) & 0xff) - 127;
    int exponent = (binary * 78913) >> 18;
    if (exponent < -6) exponent = -6;
    std::uint32_t q = Scaled(magnitude, exponent);
    // rounding up can reach 10^7 (9999999.5 -> 10^7): then the exponent is one more
    while (q >= kHigh && exponent < 6) q = Scaled(magnitude, ++exponent);
    if (q >= kHigh || q < kLow) return FromLibrary(static_cast<float>(magnitude));
    return {q, exponent};
}

void DigitText(const DecimalDigits& d, char (&digits)[7]) {
    std::uint32_t rest = d.value;
    for (int i = 6; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
}

} // namespace zarnfoil
