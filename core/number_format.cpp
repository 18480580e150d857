// Picture formats and cell rows.
#include "core/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zarnfoil {
namespace {

struct Picture {
    int intZeros = 0;      // "0" positions before the point
    bool hasPoint = false;
    std::string fraction;  // the "0"/"#" positions after the point, in order
};

Picture ParsePicture(std::string_view picture) {
    Picture p;
    const auto point = picture.find('.');
    const auto intPart = picture.substr(0, point);
    p.intZeros = static_cast<int>(std::count(intPart.begin(), intPart.end(), '0'));
    if (point != std::string_view::npos) {
        p.hasPoint = true;
        for (char c : picture.substr(point + 1))
            if (c == '0' || c == '#') p.fraction.push_back(c);
    }
    return p;
}

// |value| as plain decimal digits: integer part and fraction part, from the value's
// seven significant digits (a 32-bit float holds about seven).
void SevenDigits(float magnitude, std::string& intDigits, std::string& fracDigits) {
    std::array<char, 32> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                             std::chars_format::scientific, 6);
    const std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const auto e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e))
        if (c != '.') digits.push_back(c);
    int exponent = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exponent);
    const int before = exponent + 1; // digits before the decimal point
    if (before <= 0) {
        intDigits = "0";
        fracDigits = std::string(static_cast<std::size_t>(-before), '0') + digits;
    } else if (before >= static_cast<int>(digits.size())) {
        intDigits = digits + std::string(static_cast<std::size_t>(before) - digits.size(), '0');
        fracDigits.clear();
    } else {
        intDigits = digits.substr(0, static_cast<std::size_t>(before));
        fracDigits = digits.substr(static_cast<std::size_t>(before));
    }
}

// Adds one unit in the last place of a digit string; returns the carry out of its front.
bool Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

} // namespace

std::string FormatPicture(float value, std::string_view picture) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";

    const Picture p = ParsePicture(picture);
    const auto decimals = p.fraction.size();

    std::string intDigits, fracDigits;
    SevenDigits(std::fabs(value), intDigits, fracDigits);

    // Round half away from zero to the picture's decimals.
    bool roundUp = fracDigits.size() > decimals && fracDigits[decimals] >= '5';
    fracDigits.resize(decimals, '0');
    if (roundUp && Increment(fracDigits) && Increment(intDigits)) intDigits = "1" + intDigits;

    intDigits.erase(0, std::min(intDigits.find_first_not_of('0'), intDigits.size()));
    const bool isZero = intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
    if (static_cast<int>(intDigits.size()) < p.intZeros)
        intDigits = std::string(static_cast<std::size_t>(p.intZeros) - intDigits.size(), '0') + intDigits;

    while (!fracDigits.empty() && fracDigits.back() == '0' && p.fraction[fracDigits.size() - 1] == '#')
        fracDigits.pop_back();

    std::string out;
    if (value < 0 && !isZero) out = "-";
    out += intDigits;
    if (p.hasPoint) {
        out += '.';
        out += fracDigits;
    }
    return out;
}

void FormatRow(std::string& row, std::int16_t& count, std::span<const float> values) {
    row.assign(static_cast<std::size_t>(std::max<int>(count, 0)) * kCellWidth, ' ');
    if (count > kMaxCells) count = kMaxCells;
    for (int i = 1; i <= count; ++i) {
        const float v = static_cast<std::size_t>(i) <= values.size() ? values[static_cast<std::size_t>(i - 1)] : 0.0f;
        const std::string piece =
            static_cast<double>(v) > kInfinityCell ? "Infinity" : FormatPicture(v, "###0.0#####");
        const auto start = static_cast<std::size_t>(kCellWidth * (i - 1) + 1);
        const auto n = std::min(piece.size(), row.size() - start); // the row never grows
        row.replace(start, n, piece, 0, n);
    }
}

std::string FormatRow(std::initializer_list<float> values) {
    std::string row;
    auto count = static_cast<std::int16_t>(values.size());
    FormatRow(row, count, std::span<const float>(values.begin(), values.size()));
    return row;
}

} // namespace zarnfoil
