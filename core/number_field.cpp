// Number fields of text.
#include "core/number_field.h"

#include <cctype>
#include <charconv>
#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace zarnfoil {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` (0 when there is none), and its text with
// the exponent letter turned into "e" for the standard conversion.
std::size_t ScanNumber(std::string_view text, std::string& normalised) {
    std::size_t i = 0;
    normalised.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normalised.push_back('-');
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) normalised.push_back(text[i++]), ++digits;
    if (i < text.size() && text[i] == '.') {
        normalised.push_back(text[i++]);
        while (i < text.size() && IsDigit(text[i])) normalised.push_back(text[i++]), ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
        const std::size_t expStart = j;
        while (j < text.size() && IsDigit(text[j])) exponent.push_back(text[j++]);
        if (j > expStart) {
            normalised += exponent;
            i = j;
        }
    }
    return i;
}

double Convert(const std::string& normalised) {
    double value = 0.0;
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    const bool negative = first[0] == '-';
    if (first[negative ? 1 : 0] == '.') // from_chars wants a digit before the point
        return Convert((negative ? "-0" : "0") + normalised.substr(negative ? 1 : 0));
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: huge exponents overflow, tiny ones underflow to zero.
        const auto e = normalised.find('e');
        const bool tiny = e != std::string::npos && normalised.compare(e + 1, 1, "-") == 0;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return normalised[0] == '-' ? -magnitude : magnitude;
    }
    return value;
}

} // namespace

double ReadNumberField(std::string_view text) {
    std::string normalised;
    if (ScanNumber(text, normalised) == 0) return 0.0;
    return Convert(normalised);
}

double ReadTextBoxNumber(std::string_view text) {
    return ReadLeadingNumber(text).value_or(0.0);
}

std::optional<double> ReadLeadingNumber(std::string_view text) {
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    std::string normalised;
    if (ScanNumber(text.substr(start), normalised) == 0) return std::nullopt;
    return Convert(normalised);
}

std::optional<double> ReadWholeNumber(std::string_view text) {
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    const auto end = text.find_last_not_of(" \t");
    const auto body = text.substr(start, end - start + 1);
    std::string normalised;
    if (ScanNumber(body, normalised) != body.size()) return std::nullopt;
    return Convert(normalised);
}

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which the program leaves at its default.
    return std::nearbyint(value);
}

} // namespace zarnfoil
