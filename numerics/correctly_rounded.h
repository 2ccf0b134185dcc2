#pragma once

// Correctly rounded sine, cosine and exponential of a double: the exact
// value rounded once, in the direction asked for, so that the result is the
// same on every CPU, math library and architecture. A fast path
// (numerics/correctly_rounded_fast.h) evaluates the function in
// double-double arithmetic with a proven bound on its error and rounds when
// that bound decides the rounding; otherwise, and outside the fast path's
// range, MPFR decides.

#include "numerics/correctly_rounded_fast.h"

namespace xsin {

struct SinCos {
    double sin;
    double cos;
};

// From now on, every argument of the functions below goes to observe, with
// the function ('s', 'c' or 'e'; a sinCosRounded gives both 's' and 'c');
// nullptr stops it. For the tests, which check the results at every
// argument the programs and accuracy_report use.
void observeArguments(void (*observe)(char function, double u));

// How many of the results so far MPFR gave (the fast path gives the rest):
// not synchronised, for the programs run on one thread.
long mpfrFallbacks();

namespace fastpath {

// Out of line, off the fast path.
double sinByMpfr(double u, Rounding rounding);
double cosByMpfr(double u, Rounding rounding);
double expByMpfr(double u, Rounding rounding);

extern void (*observer)(char function, double u);
[[gnu::cold]] void observe(char function, double u);

inline void observed(char function, double u) {
    if (__builtin_expect(observer != nullptr, 0)) {
        observe(function, u);
    }
}

}  // namespace fastpath

[[gnu::always_inline]] inline double sinRounded(double u, Rounding rounding) {
    using namespace fastpath;
    observed('s', u);
    Reduced reduced{};
    double result = 0.0;
    if (reduce(u, reduced)) {
        const Pair sine = sinOfMagnitude(reduced);
        if (decide(approximation(u < 0.0 ? -sine : sine, reduced.error), rounding, result)) {
            return result;
        }
    }
    return sinByMpfr(u, rounding);
}

[[gnu::always_inline]] inline double cosRounded(double u, Rounding rounding) {
    using namespace fastpath;
    observed('c', u);
    Reduced reduced{};
    double result = 0.0;
    if (reduce(u, reduced) && decide(approximation(cosOfMagnitude(reduced), reduced.error), rounding, result)) {
        return result;
    }
    return cosByMpfr(u, rounding);
}

// Both of the same argument, from one argument reduction.
[[gnu::always_inline]] inline SinCos sinCosRounded(double u, Rounding rounding) {
    using namespace fastpath;
    observed('s', u);
    observed('c', u);
    Reduced reduced{};
    if (!reduce(u, reduced)) {
        return {sinByMpfr(u, rounding), cosByMpfr(u, rounding)};
    }
    const Kernel k = kernel(reduced.r);
    const Pair sinR = sinOf(k);
    const Pair cosR = cosOf(k);
    const bool odd = (reduced.quadrant & 1) != 0;
    const Pair sine = flipped(odd ? cosR : sinR, sinFlips(reduced) != (u < 0.0));
    const Pair cosine = flipped(odd ? sinR : cosR, cosFlips(reduced));
    SinCos result;
    if (!decide(approximation(sine, reduced.error), rounding, result.sin)) {
        result.sin = sinByMpfr(u, rounding);
    }
    if (!decide(approximation(cosine, reduced.error), rounding, result.cos)) {
        result.cos = cosByMpfr(u, rounding);
    }
    return result;
}

inline double expRounded(double u, Rounding rounding) {
    using namespace fastpath;
    observed('e', u);
    Approximation y{};
    int scale = 0;
    double result = 0.0;
    if (approximateExp(u, y, scale) && decide(y, rounding, result)) {
        // 2^scale, exact, and the product with it too: the result is normal.
        const std::uint64_t bits = static_cast<std::uint64_t>(scale + 1023) << 52;
        double power;
        std::memcpy(&power, &bits, sizeof power);
        return result * power;
    }
    return expByMpfr(u, rounding);
}

struct CorrectlyRoundedMath {
    static double sin(double u) { return sinRounded(u, Rounding::nearest); }
    static double cos(double u) { return cosRounded(u, Rounding::nearest); }
    static double exp(double u) { return expRounded(u, Rounding::nearest); }
    static SinCos sinCos(double u) { return sinCosRounded(u, Rounding::nearest); }
};

}  // namespace xsin
