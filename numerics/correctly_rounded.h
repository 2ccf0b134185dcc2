#pragma once

// Correctly rounded sine, cosine and exponential of a double: the exact
// value rounded once, in the direction asked for, so that the result is the
// same on every CPU, math library and architecture. A fast path evaluates
// the function in double-double arithmetic with a proven bound on its error
// and rounds when that bound decides the rounding; otherwise, and outside
// the fast path's range, MPFR decides (numerics/correctly_rounded.cpp).

namespace xsin {

enum class Rounding { nearest, down, up };

double sinRounded(double u, Rounding rounding);
double cosRounded(double u, Rounding rounding);
double expRounded(double u, Rounding rounding);

struct SinCos {
    double sin;
    double cos;
};

// Both of the same argument, from one argument reduction.
SinCos sinCosRounded(double u, Rounding rounding);

// From now on, every argument of the functions above goes to observe, with
// the function ('s', 'c' or 'e'; a sinCosRounded gives both 's' and 'c');
// nullptr stops it. For the tests, which check the results at every
// argument the programs and accuracy_report use.
void observeArguments(void (*observe)(char function, double u));

// How many of the results so far MPFR gave (the fast path gives the rest):
// not synchronised, for the programs run on one thread.
long mpfrFallbacks();

struct CorrectlyRoundedMath {
    static double sin(double u) { return sinRounded(u, Rounding::nearest); }
    static double cos(double u) { return cosRounded(u, Rounding::nearest); }
    static double exp(double u) { return expRounded(u, Rounding::nearest); }
    static SinCos sinCos(double u) { return sinCosRounded(u, Rounding::nearest); }
};

}  // namespace xsin
