// Picture formats and cell rows. Every file line of numbers passes through here, so the
// formatting works in small character buffers without allocating.
#include "core/number_format.h"

#include "core/decimal_digits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace zarnfoil {
namespace {

struct Picture {
    int intZeros = 0; // "0" positions before the point
    bool hasPoint = false;
    int decimals = 0;                // "0" and "#" positions after the point
    std::array<bool, 16> optional{}; // position after the point holds "#"
};

Picture ParsePicture(std::string_view picture) {
    Picture p;
    const auto point = picture.find('.');
    const auto intPart = picture.substr(0, point);
    p.intZeros = static_cast<int>(std::count(intPart.begin(), intPart.end(), '0'));
    if (point != std::string_view::npos) {
        p.hasPoint = true;
        for (char c : picture.substr(point + 1))
            if ((c == '0' || c == '#') && p.decimals < static_cast<int>(p.optional.size()))
                p.optional[static_cast<std::size_t>(p.decimals++)] = c == '#';
    }
    return p;
}

const Picture kRowPicture = ParsePicture("###0.0#####");

constexpr int kBuffer = 96;

int CopyText(char* out, const char* text) {
    const auto n = std::strlen(text);
    std::memcpy(out, text, n + 1);
    return static_cast<int>(n);
}

// Any value and picture: the digits laid out as text and rounded in place.
int FormatLarge(char* out, float value, const Picture& p, const DecimalDigits& seven) {
    const int before = seven.exponent + 1; // digits of the seven before the point

    // The value's digits from its first integer digit (at least one, possibly a zero) to the
    // picture's last decimal, the seven significant ones in place and zeros around them.
    const int intCount = std::max(before, 1);
    const int count = intCount + p.decimals;
    char fixed[kBuffer + 1];
    fixed[0] = '0'; // room for a carry out of the front
    char* digits = fixed + 1;
    std::memset(digits, '0', static_cast<std::size_t>(count + 1));
    const int first = intCount - before; // place of the first significant digit
    char significant[7];
    DigitText(seven, significant);
    for (int i = 0; i < 7; ++i)
        if (first + i <= count) digits[first + i] = significant[i];

    // Round half away from zero at the picture's last decimal.
    char* begin = digits;
    if (digits[count] >= '5') {
        int k = count - 1;
        for (; k >= 0 && digits[k] == '9'; --k) digits[k] = '0';
        if (k >= 0) ++digits[k];
        else *--begin = '1';
    }
    const char* intEnd = digits + intCount;
    const char* intBegin = begin;
    while (intBegin < intEnd && *intBegin == '0') ++intBegin;
    int last = p.decimals;
    while (last > 0 && intEnd[last - 1] == '0' && p.optional[static_cast<std::size_t>(last - 1)]) --last;
    bool isZero = intBegin == intEnd;
    for (int k = 0; k < p.decimals && isZero; ++k) isZero = intEnd[k] == '0';

    int n = 0;
    if (value < 0 && !isZero) out[n++] = '-';
    for (auto k = intEnd - intBegin; k < p.intZeros; ++k) out[n++] = '0';
    std::memcpy(out + n, intBegin, static_cast<std::size_t>(intEnd - intBegin));
    n += static_cast<int>(intEnd - intBegin);
    if (p.hasPoint) {
        out[n++] = '.';
        std::memcpy(out + n, intEnd, static_cast<std::size_t>(last));
        n += last;
    }
    out[n] = '\0';
    return n;
}

constexpr std::uint64_t kPowers[20] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull,
                                       10000000000000000ull,
                                       100000000000000000ull,
                                       1000000000000000000ull,
                                       10000000000000000000ull};

constexpr int kFastDecimals = 9; // the fast route's limits: the rounded value times 10^decimals
constexpr float kFastLimit = 1e7f; // stays below 10^16, inside 64 bits

// The usual case by integer arithmetic: the seven digits scaled to the picture's decimals and
// rounded half away from zero, then written out. Gives the same text as the general route.
int FormatSmall(char* out, float value, const Picture& p, const DecimalDigits& seven) {
    const int shift = seven.exponent - 6 + p.decimals; // seven.value * 10^shift = |value| * 10^decimals
    std::uint64_t n;
    if (shift >= 0) {
        n = seven.value * kPowers[shift];
    } else if (-shift > 19) {
        n = 0;
    } else {
        const std::uint64_t divisor = kPowers[-shift];
        n = seven.value / divisor;
        if (2 * (seven.value % divisor) >= divisor) ++n;
    }
    const std::uint64_t scale = kPowers[p.decimals];
    std::uint64_t integer = n / scale;
    std::uint64_t fraction = n % scale;

    int length = 0;
    if (value < 0 && n != 0) out[length++] = '-';
    char digits[24];
    int count = 0;
    for (; integer != 0; integer /= 10) digits[count++] = static_cast<char>('0' + integer % 10);
    for (int k = count; k < p.intZeros; ++k) out[length++] = '0';
    while (count > 0) out[length++] = digits[--count];
    if (p.hasPoint) {
        out[length++] = '.';
        int last = p.decimals;
        for (int k = p.decimals - 1; k >= 0; --k, fraction /= 10) digits[k] = static_cast<char>('0' + fraction % 10);
        while (last > 0 && digits[last - 1] == '0' && p.optional[static_cast<std::size_t>(last - 1)]) --last;
        std::memcpy(out + length, digits, static_cast<std::size_t>(last));
        length += last;
    }
    out[length] = '\0';
    return length;
}

// Writes `value` with picture `p` into `out` (at least kBuffer characters); returns the length.
int FormatInto(char* out, float value, const Picture& p) {
    if (std::isnan(value)) return CopyText(out, "NaN");
    if (std::isinf(value)) return CopyText(out, value < 0 ? "-Infinity" : "Infinity");

    const DecimalDigits seven = SevenDigits(value);
    if (std::fabs(value) < kFastLimit && p.decimals <= kFastDecimals) return FormatSmall(out, value, p, seven);
    return FormatLarge(out, value, p, seven);
}

// Writes the cells of `values` over the row text starting at `row`, which has `width`
// characters of spaces; pieces never pass the row's end.
void WriteCells(char* row, std::size_t width, std::span<const float> values, int count) {
    char piece[kBuffer];
    for (int i = 1; i <= count; ++i) {
        const float v = static_cast<std::size_t>(i) <= values.size()
                            ? values[static_cast<std::size_t>(i - 1)]
                            : 0.0f;
        const int length = static_cast<double>(v) > kInfinityCell ? CopyText(piece, "Infinity")
                                                                  : FormatInto(piece, v, kRowPicture);
        const auto start = static_cast<std::size_t>(kCellWidth * (i - 1) + 1);
        std::memcpy(row + start, piece, std::min(static_cast<std::size_t>(length), width - start));
    }
}

} // namespace

std::string FormatPicture(float value, std::string_view picture) {
    char out[kBuffer];
    const int n = FormatInto(out, value, ParsePicture(picture));
    return std::string(out, static_cast<std::size_t>(n));
}

void FormatRow(std::string& row, std::int16_t& count, std::span<const float> values) {
    row.assign(static_cast<std::size_t>(std::max<int>(count, 0)) * kCellWidth, ' ');
    if (count > kMaxCells) count = kMaxCells;
    WriteCells(row.data(), row.size(), values, count);
}

std::string FormatRow(std::initializer_list<float> values) {
    std::string row;
    AppendRow(row, values);
    return row;
}

void AppendRow(std::string& text, std::initializer_list<float> values) {
    const int count = std::min<int>(static_cast<int>(values.size()), kMaxCells);
    const std::size_t width = static_cast<std::size_t>(count) * kCellWidth;
    const std::size_t at = text.size();
    text.append(width, ' ');
    WriteCells(text.data() + at, width, std::span<const float>(values.begin(), values.size()), count);
}

} // namespace zarnfoil
