// One data line of a section file split into its numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace zarnfoil {

inline constexpr int kFieldWidth = 10; // a field is read from its first 10 characters

// Fields are separated by spaces only (a tab is an ordinary character); a line without a
// space yields no field. The first five fields go to f[0..4], fields that are not present
// leave their outputs untouched. Returns the number of fields, those beyond the fifth included;
// sets `empty` when the line has length 0.
std::int16_t SplitFields(std::string_view line, bool& empty, float (&f)[5]);

} // namespace zarnfoil
