#pragma once

#include <cstddef>

// Numbers in the text printf("%20.10lf") gives, converted exactly in
// integer arithmetic.

namespace xsin {

// The most characters fixedDecimal writes: a sign, 309 digits of DBL_MAX,
// the point and ten decimals.
constexpr std::size_t maxFixedWidth = 1 + 309 + 1 + 10;

// Writes value at `at` as printf("%.10f") would in the C locale, right-
// aligned in a field of `width` characters (wider when it needs more), and
// returns the end. The same digits: the exact binary value rounded to ten
// decimals, half to even on an exact tie; the sign of a negative value
// that rounds to zero, and of -0, is kept ("-0.0000000000"). Needs room
// for max(width, maxFixedWidth) characters.
char* fixedDecimal(char* at, double value, std::size_t width = 20);

}  // namespace xsin
