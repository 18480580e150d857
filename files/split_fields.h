// One data line of a section file split into its numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarnfoil {

// The first of the first five fields that is not a number as a whole ("nan", "abc", "0,05").
struct FieldFault {
    int field = 0; // 1-based; 0 when every field is a number
    std::string text;
};

// Fields are separated by blanks (spaces or tabs); a line without a blank yields no field.
// Each field is read whole as a decimal number ("." as the decimal point, exponent after "E"
// or "D"). The first five fields go to f[0..4] (a field that is not a number gives 0 and is
// named in `fault`); fields that are not present leave their outputs untouched. Returns the
// number of fields, those beyond the fifth included; sets `empty` when the line has length 0.
std::int16_t SplitFields(std::string_view line, bool& empty, float (&f)[5],
                         FieldFault* fault = nullptr);

} // namespace zarnfoil
