#pragma once

// The constants of the table lines' conversion in lanes (output/table_
// lanes.h). The code reads them here, and so do the proofs that the
// conversion gives the exact value's digits. One per line, as
//   constexpr double name = value;
// each value a double literal.

namespace xsin::lines::constants {

// The numbers the tables print directly, in lanes or by the exact scalar
// way (output/decimal.h): |v| below this; the others go through the
// general conversion.
constexpr double directLimit = 1024.0;

// Ten decimals: |v| in units of 1e-10, then split by 10^10 into the integer
// part and the decimals, and the decimals by 10^8 into the first two and
// the last eight. Each division is a multiplication by the reciprocal's
// double.
constexpr double tenToTheTen = 1e10;
constexpr double tenToTheMinusTen = 1e-10;
constexpr double tenToTheEight = 1e8;
constexpr double tenToTheMinusEight = 1e-8;

// Subtracted from a quotient before it is rounded to an integer (by
// binary64::roundingShifter), it makes that integer the quotient's floor.
constexpr double justBelowHalf = 0.5 - 0x1p-38;

// A number whose scaled value y lies farther than this from its nearest
// integer (within 2^-8 of a half) is left undecided and converted again the
// exact way.
constexpr double undecidedFrom = 0.5 - 0x1p-8;

}  // namespace xsin::lines::constants
