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

#include "elementary/internal/fast_path.h"
#include "elementary/internal/fast_path_lanes.h"
#include "elementary/lanes.h"
#include "elementary/sin_cos.h"
#include "numerics/binary64.h"

namespace xsin {

enum class Rounding { nearest, down, up };

// From now on, every argument of the functions below goes to observe, with
// the function ('s', 'c' or 'e'; a sinCosRounded gives both 's' and 'c');
// nullptr stops it. For the tests, which check the results at every
// argument the programs and accuracy_report use.
void observeArguments(void (*observe)(char function, double u));

// How many of the results so far MPFR gave (the fast path gives the rest):
// not synchronised, for the programs run on one thread.
long mpfrFallbacks();

// From now on MPFR and GMP allocate through functions that end the program
// with "<program>: out of memory" and status 1 when memory runs out
// (exitOutOfMemory, output/output.h), where GMP would abort: it cannot
// unwind. The functions here do this before their first call into MPFR; a
// program that calls MPFR itself does it first.
void mpfrReportsOutOfMemory();

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

// The distances from x (normal, |x| >= 2^-969) to the doubles just above
// and just below it: a unit in the last place, half of it toward zero from
// a power of two.
inline void gaps(double x, double& above, double& below) {
    const double ulp = binary64::ulp(x);
    const double toward = (binary64::bits(x) & binary64::significandMask) == 0 ? ulp / 2 : ulp;
    above = x > 0.0 ? ulp : toward;
    below = x > 0.0 ? toward : ulp;
}

// The correctly rounded value when no rounding boundary lies within the
// error of y.
inline bool decide(const Approximation& y, Rounding rounding, double& result) {
    double above;
    double below;
    gaps(y.hi, above, below);
    // The exact value lies in y.hi + [low, high].
    const double high = y.lo + y.error;
    const double low = y.lo - y.error;
    const bool justAbove = low > 0.0 && high < above;
    const bool justBelow = high < 0.0 && low > -below;
    switch (rounding) {
    case Rounding::nearest:
        result = y.hi;
        return high < above / 2 && low > -below / 2;
    case Rounding::down:
        result = justAbove ? y.hi : y.hi - below;
        return justAbove || justBelow;
    case Rounding::up:
        result = justBelow ? y.hi : y.hi + above;
        return justAbove || justBelow;
    }
    return false;
}

}  // namespace fastpath

// Each function below comes in two forms that give the same results, bit
// for bit: ...With<Products> forms the exact products of its fast path by
// Dekker's splitting or by fused multiply-adds (fastpath::DekkerProducts,
// FusedProducts), and the plain form the way this build's target does it
// best (NativeProducts). A CPU chosen only at run time takes the fused form
// through code compiled for it (numerics/numerics.cpp does).
#if defined(__FMA__) || defined(__ARM_FEATURE_FMA) || defined(__FP_FAST_FMA)
using NativeProducts = fastpath::FusedProducts;
#else
using NativeProducts = fastpath::DekkerProducts;
#endif

template <class Products>
[[gnu::always_inline]] inline double sinRoundedWith(double u, Rounding rounding) {
    using namespace fastpath;
    observed('s', u);
    Reduced reduced{};
    double result = 0.0;
    if (reduce(u, reduced)) {
        const DoubleDouble sine = sinOfMagnitude<Products>(reduced);
        if (decide(approximation(u < 0.0 ? -sine : sine, reduced.error), rounding, result)) {
            return result;
        }
    }
    return sinByMpfr(u, rounding);
}

template <class Products>
[[gnu::always_inline]] inline double cosRoundedWith(double u, Rounding rounding) {
    using namespace fastpath;
    observed('c', u);
    Reduced reduced{};
    double result = 0.0;
    if (reduce(u, reduced) &&
        decide(approximation(cosOfMagnitude<Products>(reduced), reduced.error), rounding, result)) {
        return result;
    }
    return cosByMpfr(u, rounding);
}

// Both of the same argument, from one argument reduction.
template <class Products>
[[gnu::always_inline]] inline SinCos sinCosRoundedWith(double u, Rounding rounding) {
    using namespace fastpath;
    observed('s', u);
    observed('c', u);
    Reduced reduced{};
    if (!reduce(u, reduced)) {
        return {sinByMpfr(u, rounding), cosByMpfr(u, rounding)};
    }
    const Kernel k = kernel<Products>(reduced.r);
    const DoubleDouble sinR = sinOf<Products>(k);
    const DoubleDouble cosR = cosOf<Products>(k);
    const bool odd = (reduced.quadrant & 1) != 0;
    const DoubleDouble sine = flipped(odd ? cosR : sinR, sinFlips(reduced) != (u < 0.0));
    const DoubleDouble cosine = flipped(odd ? sinR : cosR, cosFlips(reduced));
    SinCos result;
    if (!decide(approximation(sine, reduced.error), rounding, result.sin)) {
        result.sin = sinByMpfr(u, rounding);
    }
    if (!decide(approximation(cosine, reduced.error), rounding, result.cos)) {
        result.cos = cosByMpfr(u, rounding);
    }
    return result;
}

template <class Products>
inline double expRoundedWith(double u, Rounding rounding) {
    using namespace fastpath;
    observed('e', u);
    Approximation y{};
    int scale = 0;
    double result = 0.0;
    if (approximateExp<Products>(u, y, scale) && decide(y, rounding, result)) {
        // 2^scale, exact, and the product with it too: the result is normal.
        return result * binary64::powerOfTwo(scale);
    }
    return expByMpfr(u, rounding);
}

[[gnu::always_inline]] inline double sinRounded(double u, Rounding rounding) {
    return sinRoundedWith<NativeProducts>(u, rounding);
}

[[gnu::always_inline]] inline double cosRounded(double u, Rounding rounding) {
    return cosRoundedWith<NativeProducts>(u, rounding);
}

[[gnu::always_inline]] inline SinCos sinCosRounded(double u, Rounding rounding) {
    return sinCosRoundedWith<NativeProducts>(u, rounding);
}

inline double expRounded(double u, Rounding rounding) {
    return expRoundedWith<NativeProducts>(u, rounding);
}

// The correctly rounded functions as a Math type (elementary/elementary.h),
// rounded to nearest.
// Inline in the evaluators, so that their independent calls overlap.
template <class Products>
struct CorrectlyRoundedMathWith {
    [[gnu::always_inline]] static double sin(double u) { return sinRoundedWith<Products>(u, Rounding::nearest); }
    [[gnu::always_inline]] static double cos(double u) { return cosRoundedWith<Products>(u, Rounding::nearest); }
    [[gnu::always_inline]] static double exp(double u) { return expRoundedWith<Products>(u, Rounding::nearest); }
    [[gnu::always_inline]] static SinCos sinCos(double u) {
        return sinCosRoundedWith<Products>(u, Rounding::nearest);
    }
};

using CorrectlyRoundedMath = CorrectlyRoundedMathWith<NativeProducts>;

// Whether this CPU has fused multiply-adds: then the code compiled for
// them may run.
bool cpuHasFma();

// sin and both sin and cos of four arguments at once, rounded to nearest:
// the fast path in lanes (elementary/internal/fast_path_lanes.h), and
// where it cannot decide, or outside its range, the scalar functions for
// that lane. Inline, for code compiled for a vector unit.
[[gnu::always_inline]] inline Double4 sinRounded4(Double4 u) {
    using namespace fastpath;
    if (__builtin_expect(observer != nullptr, 0)) {
        for (int lane = 0; lane < 4; ++lane) {
            observe('s', u[lane]);
        }
    }
    const Reduced4 reduced = reduce(u);
    const Long4 negative = u < 0.0;
    const DoubleDouble4 sine = negatedWhere(sinFlips(reduced) ^ negative, sinOrCos(kernel(reduced.r), odd(reduced)));
    const Approximation4 y = approximation(sine, reduced.error);
    const Long4 decided = decidesNearest(y) & reduced.inRange;
    Double4 result = y.hi;
    if (__builtin_expect((decided[0] & decided[1] & decided[2] & decided[3]) == 0, 0)) {
        for (int lane = 0; lane < 4; ++lane) {
            if (decided[lane] == 0) {
                result[lane] = sinRounded(u[lane], Rounding::nearest);
            }
        }
    }
    return result;
}

[[gnu::always_inline]] inline SinCos4 sinCosRounded4(Double4 u) {
    using namespace fastpath;
    if (__builtin_expect(observer != nullptr, 0)) {
        for (int lane = 0; lane < 4; ++lane) {
            observe('s', u[lane]);
            observe('c', u[lane]);
        }
    }
    const Reduced4 reduced = reduce(u);
    const Kernel4 k = kernel(reduced.r);
    const DoubleDouble4 sinR = sinOf(k);
    const DoubleDouble4 cosR = cosOf(k);
    const Long4 isOdd = odd(reduced);
    const DoubleDouble4 sine = negatedWhere(sinFlips(reduced) ^ (u < 0.0),
                                            {select(isOdd, cosR.hi, sinR.hi), select(isOdd, cosR.lo, sinR.lo)});
    const DoubleDouble4 cosine =
        negatedWhere(cosFlips(reduced), {select(isOdd, sinR.hi, cosR.hi), select(isOdd, sinR.lo, cosR.lo)});
    const Approximation4 s = approximation(sine, reduced.error);
    const Approximation4 c = approximation(cosine, reduced.error);
    const Long4 decided = decidesNearest(s) & decidesNearest(c) & reduced.inRange;
    SinCos4 result{s.hi, c.hi};
    if (__builtin_expect((decided[0] & decided[1] & decided[2] & decided[3]) == 0, 0)) {
        for (int lane = 0; lane < 4; ++lane) {
            if (decided[lane] == 0) {
                const SinCos both = sinCosRounded(u[lane], Rounding::nearest);
                result.sin[lane] = both.sin;
                result.cos[lane] = both.cos;
            }
        }
    }
    return result;
}

// The correctly rounded functions as a Math type over four lanes.
struct CorrectlyRoundedLanes {
    [[gnu::always_inline]] static Double4 sin(Double4 u) { return sinRounded4(u); }
    [[gnu::always_inline]] static SinCos4 sinCos(Double4 u) { return sinCosRounded4(u); }
};

}  // namespace xsin
