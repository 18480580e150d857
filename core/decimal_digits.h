// The seven significant decimal digits of a 32-bit float, correctly rounded (halves to even
// on the exact binary value), as printf's "%.6e" gives them, but without its cost: every
// number of every output file passes through here.
#pragma once

namespace zarnfoil {

struct DecimalDigits {
    char digits[7]; // d1 d2 ... d7, the value being 0.d1d2...d7 x 10^(exponent + 1)
    int exponent;   // decimal exponent of d1
};

// Digits of |value| for a finite value (0 gives all zeros with exponent 0).
DecimalDigits SevenDigits(float value);

} // namespace zarnfoil
