// The seven significant decimal digits of a 32-bit float, correctly rounded (halves to even
// on the exact binary value), as printf's "%.6e" gives them, but without its cost: every
// number of every output file passes through here.
#pragma once

#include <cstdint>

namespace zarnfoil {

struct DecimalDigits {
    std::uint32_t value; // the seven digits d1...d7 as an integer (0 for zero)
    int exponent;        // decimal exponent of d1: |x| ~ d1.d2...d7 x 10^exponent
};

// Digits of |value| for a finite value.
DecimalDigits SevenDigits(float value);

// The seven digits as characters.
void DigitText(const DecimalDigits& d, char (&digits)[7]);

} // namespace zarnfoil
