// Picture formats ("#0.0####") and the 10-character cell rows of every output file.
// The same rules serve the windows' labels and the files, so a number reads alike everywhere.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace zarnfoil {

// A picture holds "0" (digit always written), "#" (digit written when significant) and ".".
// The value's own seven significant digits are rounded to the picture's decimals, halves away
// from zero. A value that rounds to zero is written without a sign.
std::string FormatPicture(float value, std::string_view picture);

inline constexpr int kCellWidth = 10;
inline constexpr int kMaxCells = 9;
inline constexpr double kInfinityCell = 1000000.0; // larger values are written "Infinity"

// Replaces `row` by `count` cells of 10 characters, each a space and then the value with
// "###0.0#####"; values above one million read "Infinity". A piece longer than its cell runs
// into the next one, and the row never grows. `count` comes back limited to 9; values beyond
// `values` count as 0.
void FormatRow(std::string& row, std::int16_t& count, std::span<const float> values);

// The row of the given values, one cell each (at most 9).
std::string FormatRow(std::initializer_list<float> values);

// Appends that row to `text`.
void AppendRow(std::string& text, std::initializer_list<float> values);

} // namespace zarnfoil
