#pragma once

// The constants of the fast path (elementary/internal/fast_path.h) that are
// chosen rather than computed: its ranges, the table's step, the
// polynomials' coefficients and the error bound E. The code reads them here,
// and so do the proofs of its error bound (elementary/internal/proofs/),
// which fail for a value here that they do not prove. One per line, as
//   constexpr double name = value;  or  constexpr double name[] = {a, b};
// each value a double literal, or the double nearest a quotient (1.0 / 24).

namespace xsin::fastpath::constants {

// sin and cos: the arguments 2^-26 <= |u| <= 400 that the fast path takes,
// and the step of the table of sin(j/256) and cos(j/256).
constexpr double sinCosLeast = 0x1p-26;
constexpr double sinCosMost = 400.0;
constexpr double tableStep = 0x1p-8;

// cos z - 1 ~ z2 (c0 + z2 (c1 + z2 c2)) and sin z - z ~ z1 z2 (s0 + z2 (s1 +
// z2 s2)), Taylor's coefficients rounded to doubles.
constexpr double cosCoefficients[] = {-0.5, 1.0 / 24, -1.0 / 720};
constexpr double sinCoefficients[] = {-1.0 / 6, 1.0 / 120, -1.0 / 5040};

// exp: the arguments |u| <= 700, and e^r - 1 - r ~ r2 (e0 + r1 (e1 + r1 (e2
// + r1 (e3 + r1 e4)))).
constexpr double expMost = 700.0;
constexpr double expCoefficients[] = {0.5, 1.0 / 6, 1.0 / 24, 1.0 / 120, 1.0 / 720};

// The bound E on the error of a result y: relativeBound |y|, and for sin
// and cos reduced by a multiple of pi/2, reductionBound more.
constexpr double relativeBound = 0x1p-67;
constexpr double reductionBound = 0x1p-105;

}  // namespace xsin::fastpath::constants
