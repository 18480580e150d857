// Numbers read from text: the fields of a section file and the texts of the windows' boxes.
// "." is the decimal point whatever the locale.
#pragma once

#include <optional>
#include <string_view>

namespace zarnfoil {

// The longest decimal number at the start of `text`: optional sign, digits with an optional
// ".", optional exponent after "E" or "D" (either case). No number gives 0; a number beyond the
// range of a double gives an infinity of its sign.
double ReadNumberField(std::string_view text);

// A text box's text read as a number field, after its leading blanks.
double ReadTextBoxNumber(std::string_view text);

// The same, or nothing when the text (after its leading blanks) starts with no number.
std::optional<double> ReadLeadingNumber(std::string_view text);

// The whole text (leading and trailing blanks aside) as one number, or nothing.
std::optional<double> ReadWholeNumber(std::string_view text);

// Real to integer: the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

} // namespace zarnfoil
