#pragma once

// Correctly rounded sine, cosine and exponential of a double: the exact
// value rounded once, in the direction asked for, so that the result is the
// same on every CPU, math library and architecture.
//
// A fast path (elementary/internal/fast_path.h) evaluates the function in
// double-double arithmetic, y = hi + lo, with a proven bound E on its
// error: the exact value lies in [y - E, y + E]. When that interval holds
// no rounding boundary of the direction asked for, every value in it
// rounds to the same double, which is returned; otherwise, and outside the
// fast path's range, MPFR decides. The boundaries are the midpoints between
// hi and its neighbours (to nearest) or the doubles themselves (down, up);
// sin, cos and exp of a non-zero double are never a double nor a midpoint
// (Lindemann), so no tie needs breaking. Comparing RN(lo +- E) with a
// boundary that is itself a double is safe: rounding is monotonic, so
// RN(x) < T implies x < T.

#include "elementary/sin_cos.h"

namespace xsin {

enum class Rounding { nearest, down, up };

double sinRounded(double u, Rounding rounding);
double cosRounded(double u, Rounding rounding);
// Both of the same argument, from one argument reduction.
SinCos sinCosRounded(double u, Rounding rounding);
double expRounded(double u, Rounding rounding);

// Four arguments at once, rounded to nearest: the sines, or the sines and
// the cosines. In AVX2 lanes where the CPU has them (cpu/cpu.h), otherwise
// one by one; the same results either way.
void sinRounded4(const double* u, double* sin);
void sinCosRounded4(const double* u, double* sin, double* cos);

// The correctly rounded functions as a Math type (elementary/elementary.h),
// rounded to nearest.
struct CorrectlyRoundedMath {
    static double sin(double u) { return sinRounded(u, Rounding::nearest); }
    static double cos(double u) { return cosRounded(u, Rounding::nearest); }
    static double exp(double u) { return expRounded(u, Rounding::nearest); }
    static SinCos sinCos(double u) { return sinCosRounded(u, Rounding::nearest); }
};

// From now on, every argument of the functions above goes to observe, with
// the function ('s', 'c' or 'e'; a sinCosRounded gives both 's' and 'c');
// nullptr stops it. For the tests, which check the results at every
// argument the programs and accuracy_report use.
void observeArguments(void (*observe)(char function, double u));

// How many of the results so far MPFR gave (the fast path gives the rest):
// not synchronised, for the programs run on one thread.
long mpfrFallbacks();

// From now on MPFR and GMP allocate through functions that end the program
// with "<program>: out of memory" and status 1 when memory runs out
// (exitOutOfMemory, diagnostics/diagnostics.h), where GMP would abort: it cannot
// unwind. The functions here do this before their first call into MPFR; a
// program that calls MPFR itself does it first.
void mpfrReportsOutOfMemory();

}  // namespace xsin
