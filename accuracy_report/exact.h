#pragma once

#include <string>

#include "binary64/binary64.h"

// Exact values, computed with MPFR at exactBits bits and kept as
// double-doubles, hi the exact value rounded to the nearest double and lo
// the rest rounded to the nearest double: far more than the error of any
// double it is compared with.

namespace xsin {

constexpr int exactBits = 256;

// |computed - exact|, to a relative accuracy of about 1e-16.
inline double errorOf(double computed, DoubleDouble exact) {
    const double difference = (computed - exact.hi) - exact.lo;
    return difference < 0 ? -difference : difference;
}

// f'(x) = sin(x^2) + 2x^2*cos(x^2) at the double x, exactly.
DoubleDouble exactDerivative(double x);

struct ExactRoot {
    DoubleDouble value;
    std::string digits;  // 30 significant decimal digits
};

// The zero of f(x) = x*sin(x^2) nearest to x: +-sqrt(k*pi).
ExactRoot sinSquareZeroNear(double x);

// The one zero of e^x + x - 5.
ExactRoot expEquationZero();

// "MPFR 4.2.0".
std::string mpfrVersion();

}  // namespace xsin
