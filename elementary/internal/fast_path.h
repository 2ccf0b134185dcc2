#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "binary64/binary64.h"
#include "binary64/lanes.h"
#include "binary64/selections.h"
#include "elementary/correctly_rounded.h"
#include "elementary/internal/fast_path_constants.h"
#include "elementary/internal/tables.h"

// The fast path of the correctly rounded functions (elementary/correctly_
// rounded.h), written once over T: a double, or four of them in the lanes
// of a vector. Each function is evaluated as a double-double y = hi + lo
// (hi the double nearest y) together with a bound E on |y - f(u)|, f the
// exact function, from which the rounding is decided. Lane by lane the
// operations are those of a double, in the same order, so that every lane's
// approximation, error bound and decision are a double's, and the analysis
// below holds for both. Internal to the file that includes it (an unnamed
// namespace, everything inlined): elementary/correctly_rounded.cpp compiles
// it over doubles, elementary/correctly_rounded_avx2.cpp over AVX2 lanes.
//
// The error bounds, each step where it is incurred ("step n" at the lines
// below). Every figure here is checked by machine: proofs/run has Sollya
// certify the constants, the tables and the polynomials' approximation
// errors (proofs/approximations.sollya) and Gappa prove each step's
// rounding errors (proofs/*.g, named at each step), all from the constants
// in fast_path_constants.h and tables.h; ctest runs them as proofs.*. Only
// step 5, the sum of two proved figures, is by hand.
//
// TwoSum, FastTwoSum and Dekker's TwoProduct (with Veltkamp's split, no
// fused multiply-add) are exact: they return a sum or product as hi + lo
// with no error at all, as long as nothing overflows or underflows, which
// the ranges below ensure.
//
// sin and cos, for 2^-26 <= |u| <= 400:
//
// 1. Reduction (sin_cos_reduction.g, sin_cos_small.g). k = round(|u| 2/pi)
//    by the shifter (k < 2^8; 0 below 0.75, where r = |u| exactly), r =
//    |u| - k pi/2, pi/2 = P1 + P2 + P3 with each part of 45 bits, their sum
//    within 2^-140 of pi/2: k*P1, k*P2 and t = |u| - k*P1 are exact, the
//    rest goes through two TwoSums. |rh + rl - r| <= 2^-106 and |r| <=
//    pi/4 (1 + 2^-40). The sign of r goes into the quadrant's sign:
//    sin(-r) = -sin(r), cos(-r) = cos(r).
// 2. Table. j = round(256 rh), 0 <= j <= 201, a = j/256; S + C = sin a,
//    cos a as double-doubles, each within 2^-106 (approximations.sollya
//    checks every entry). zh = rh - a is exact, zl = rl, z = zh + zl, |z| <=
//    2^-9 (1 + 2^-40).
// 3. Polynomials, at z1 = RN(zh + zl), z2 = RN(z1^2), Taylor's coefficients
//    rounded to doubles (approximations.sollya, for |z| as above):
//      cos z - 1 ~ z2(c0 + z2(c1 + z2 c2)),      off by at most 2^-87
//      sin z - z ~ z1 z2(s0 + z2(s1 + z2 s2)),   off by at most 2^-83, and
//                                                2^-53 relative to sin z - z
//    Neither can be shorter: without its last term cos z - 1 is off by up
//    to z^6/6! < 2^-63.4, and sin z - z by up to z^7/7! < 2^-75.2, which is
//    2^-66.2 relative to sin r >= 2^-9.01, beyond the bound of step 5.
// 4. sin r = S + C z + S (cos z - 1) + C (sin z - z): C z as TwoProduct(Ch, zh)
//    plus RN(Ch zl) + RN(Cl zh), S + (C z).hi by TwoSum, the six small terms
//    summed in double, added to the low part and normalised by FastTwoSum;
//    Sl (cos z - 1) and Cl (sin z - z) dropped. cos r = C - S z + C (cos z -
//    1) - S (sin z - z) the same way. Both within 2^-68 |hi| of their value
//    at z (sin_cos_evaluation.g; for sin with j = 0, where only the
//    polynomial and two roundings remain, sin_small_r.g).
// 5. Bound used: E = 2^-67 |hi| + (k != 0 ? 2^-105 : 0), twice the sum of
//    step 4's error and step 1's carried through |f'| <= 1. (Halve either
//    term and the proofs fail.)
//
// exp, for |u| <= 700 (the result and its low part stay normal):
//
// 1. k = round(u 256/ln 2) (|k| < 2^18); ln(2)/256 = L1 + L2 + L3 as doubles
//    (to 2^-172); k*L1 and k*L2 by TwoProduct, the differences by TwoSum, the
//    rest summed in four roundings (exp_reduction.g): |rh + rl - r| <=
//    2^-94.9 and |r| <= ln(2)/512 (1 + 2^-33), the latter mostly u 256/ln 2
//    rounded before k is.
// 2. exp(u) = 2^(k >> 8) * T * e^r, T = 2^((k mod 256)/256) as a double-double
//    within 2^-106 T (approximations.sollya checks every entry).
// 3. e^r - 1 - r ~ r2 (e0 + r1(e1 + r1(e2 + r1(e3 + r1 e4)))) at r1 = RN(rh +
//    rl), Taylor's coefficients rounded to doubles: off by at most 2^-78.8
//    (approximations.sollya).
// 4. T e^r = T + T r + T (e^r - 1 - r): T r by TwoProduct(Th, rh) and RN(Th rl)
//    + RN(Tl rh), T + (T r).hi by TwoSum, the small terms summed in double and
//    normalised; Tl (e^r - 1 - r) dropped. Within 2^-68 |hi| of T e^r for the
//    exact r, step 1's error included (exp_evaluation.g).
// 5. Bound used: E = 2^-67 |hi|, and the rounding is decided before the
//    scaling by 2^(k >> 8), which is exact and keeps every rounding boundary.


namespace xsin::fastpath {
namespace {

// --- Exact products -------------------------------------------------------

// The exact products a * b = hi + lo, two ways that give the same lo, the
// product's rounding error, exactly (it is a double: nothing overflows or
// underflows here):
// - Dekker's (binary64/binary64.h), from the Veltkamp splits of a and b,
//   with no fused multiply-add; over a double or lanes;
// - one fused multiply-add, fma(a, b, -hi), which rounds nothing away and
//   replaces some twenty operations: for targets that have it.
struct DekkerProducts {
    static constexpr bool needsSplits = true;
    template <class T>
    XSIN_ALWAYS_INLINE static BasicDoubleDouble<T> product(T a, BasicDoubleDouble<T> as, T b, BasicDoubleDouble<T> bs) {
        return twoProduct(a, as, b, bs);
    }
};

struct FusedProducts {
    static constexpr bool needsSplits = false;
    XSIN_ALWAYS_INLINE static DoubleDouble product(double a, DoubleDouble, double b, DoubleDouble) {
        const double p = a * b;
        return {p, __builtin_fma(a, b, -p)};
    }
};

// A double's products as the target forms them best; lanes always take
// Dekker's.
#if defined(__FMA__) || defined(__ARM_FEATURE_FMA) || defined(__FP_FAST_FMA)
using NativeProducts = FusedProducts;
#else
using NativeProducts = DekkerProducts;
#endif

// The split a product by Products needs of a: none for fused products.
template <class Products, class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> splitFor(T a) {
    if constexpr (Products::needsSplits) {
        return split(a);
    } else {
        return {};
    }
}

// --- The fast path of sin and cos ------------------------------------------

// sin and cos of j/256 as {sin hi, sin lo, cos hi, cos lo}, at every index
// the low byte of a double can give: 0 ... 201 from the tables, the rest
// zero, met only by lanes outside the range, whose results are not used. A
// plain array, read without a call.
struct SinCosTable {
    double rows[256][4];
};

constexpr SinCosTable paddedSinCos256() {
    SinCosTable padded{};
    for (std::size_t j = 0; j < std::size(tables::sinCos256); ++j) {
        for (std::size_t c = 0; c < 4; ++c) {
            padded.rows[j][c] = tables::sinCos256[j][c];
        }
    }
    return padded;
}

constexpr SinCosTable sinCos256 = paddedSinCos256();

// hi + lo within error of the exact value.
template <class T>
struct Approximation {
    T hi;
    T lo;
    T error;
};

// Step 5: E.
template <class T>
XSIN_ALWAYS_INLINE Approximation<T> approximation(BasicDoubleDouble<T> value, T absolute) {
    return {value.hi, value.lo, constants::relativeBound * magnitude(value.hi) + absolute};
}

// |u| = k pi/2 + r, with r as rh + rl; meaningful where inRange is set.
template <class T>
struct Reduced {
    BasicDoubleDouble<T> r;
    IntegerOf<T> quadrant;  // k mod 4
    IntegerOf<T> negative;  // mask: r < 0 (r itself is then made positive)
    T error;                // of r
    IntegerOf<T> inRange;   // mask: 2^-26 <= |u| <= 400 (not NaN)
};

template <class T>
XSIN_ALWAYS_INLINE Reduced<T> reduce(T u) {
    Reduced<T> reduced;
    const T a = magnitude(u);
    reduced.inRange = maskOf(a >= constants::sinCosLeast) & maskOf(a <= constants::sinCosMost);
    // Step 1. k below 2^8: an integer in the low bits of the shifted sum.
    const T kShifted = a * tables::twoOverPi + binary64::roundingShifter;
    const T k = kShifted - binary64::roundingShifter;
    const T t = a - k * tables::halfPi[0];
    const BasicDoubleDouble<T> s = twoSum(t, -(k * tables::halfPi[1]));
    reduced.r = twoSum(s.hi, s.lo - k * tables::halfPi[2]);
    reduced.error = select(maskOf(k != 0.0), broadcast<T>(constants::reductionBound), broadcast<T>(0.0));
    reduced.quadrant = binary64::bits(kShifted) & 3;
    reduced.negative = maskOf(reduced.r.hi < 0.0);
    reduced.r = negatedWhere(reduced.negative, reduced.r);
    return reduced;
}

// 0 <= r <= pi/4 (1 + 2^-40) as a + z, a = j/256, with the table's sin a and
// cos a, cos z - 1 and sin z - z.
template <class T>
struct Kernel {
    Row<T> table;  // sin a hi, sin a lo, cos a hi, cos a lo
    T zh;
    T zl;
    BasicDoubleDouble<T> zSplit;
    T cosMinusOne;
    T sinMinusZ;
};

template <class Products, class T>
XSIN_ALWAYS_INLINE Kernel<T> kernel(BasicDoubleDouble<T> r) {
    Kernel<T> k;
    // Step 2. j = round(256 rh) by the shifter, its bits the index: no
    // conversion on the path to z. zh is exact.
    const T shifted = r.hi * (1 / constants::tableStep) + binary64::roundingShifter;
    k.table = rowAt(sinCos256.rows, binary64::bits(shifted) & 0xff);
    k.zh = r.hi - (shifted - binary64::roundingShifter) * constants::tableStep;
    k.zl = r.lo;
    k.zSplit = splitFor<Products>(k.zh);
    // Step 3. The polynomials, by Horner's rule at z1 and z2.
    const T z1 = k.zh + k.zl;
    const T z2 = z1 * z1;
    const double* c = constants::cosCoefficients;
    const double* s = constants::sinCoefficients;
    k.cosMinusOne = z2 * (c[0] + z2 * (c[1] + z2 * c[2]));
    k.sinMinusZ = (z1 * z2) * (s[0] + z2 * (s[1] + z2 * s[2]));
    return k;
}

// Step 4. X + Y z + X (cos z - 1) + Y (sin z - z): sin r for X = S and
// Y = C, cos r for X = C and Y = -S.
template <class Products, class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> evaluate(const Kernel<T>& k, T x, T xl, T y, T yl) {
    const BasicDoubleDouble<T> yz = Products::product(y, splitFor<Products>(y), k.zh, k.zSplit);
    const BasicDoubleDouble<T> main = twoSum(x, yz.hi);
    // Summed as a tree, for a shorter chain: the same five roundings.
    const T tail = ((x * k.cosMinusOne + y * k.sinMinusZ) + (xl + yz.lo)) + (y * k.zl + yl * k.zh);
    return fastTwoSum(main.hi, main.lo + tail);
}

template <class Products, class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> sinOf(const Kernel<T>& k) {
    return evaluate<Products>(k, k.table.c0, k.table.c1, k.table.c2, k.table.c3);
}

template <class Products, class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> cosOf(const Kernel<T>& k) {
    return evaluate<Products>(k, k.table.c2, k.table.c3, -k.table.c0, -k.table.c1);
}

// sin r where cosine is clear, cos r where it is set: only the one needed,
// the table's values chosen rather than the code.
template <class Products, class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> sinOrCos(const Kernel<T>& k, IntegerOf<T> cosine) {
    const Row<T>& t = k.table;
    return evaluate<Products>(k, select(cosine, t.c2, t.c0), select(cosine, t.c3, t.c1), select(cosine, -t.c0, t.c2),
                              select(cosine, -t.c1, t.c3));
}

// sin |u| and cos |u| from sin r and cos r (r >= 0), by the quadrant of
// k pi/2 and the sign of r: sin(-r) = -sin r, cos(-r) = cos r, and
// sin(r + q pi/2) is sin r, cos r, -sin r, -cos r for q = 0, 1, 2, 3, its
// cosine cos r, -sin r, -cos r, sin r. Masks: odd quadrants swap sin and
// cos, the flips negate.
template <class T>
XSIN_ALWAYS_INLINE IntegerOf<T> odd(const Reduced<T>& reduced) {
    return maskOf((reduced.quadrant & 1) != 0);
}

template <class T>
XSIN_ALWAYS_INLINE IntegerOf<T> sinFlips(const Reduced<T>& reduced) {
    return maskOf(reduced.quadrant >= 2) ^ (~odd(reduced) & reduced.negative);
}

template <class T>
XSIN_ALWAYS_INLINE IntegerOf<T> cosFlips(const Reduced<T>& reduced) {
    return (maskOf(reduced.quadrant == 1) | maskOf(reduced.quadrant == 2)) ^ (odd(reduced) & reduced.negative);
}

template <class Products, class T>
XSIN_ALWAYS_INLINE Approximation<T> approximateSin(T u, const Reduced<T>& reduced) {
    const IntegerOf<T> flips = sinFlips(reduced) ^ maskOf(u < 0.0);
    return approximation(negatedWhere(flips, sinOrCos<Products>(kernel<Products>(reduced.r), odd(reduced))),
                         reduced.error);
}

template <class Products, class T>
XSIN_ALWAYS_INLINE Approximation<T> approximateCos(const Reduced<T>& reduced) {
    return approximation(negatedWhere(cosFlips(reduced), sinOrCos<Products>(kernel<Products>(reduced.r), ~odd(reduced))),
                         reduced.error);
}

// Both of the same argument, from one reduction and one kernel.
template <class T>
struct SinCosApproximation {
    Approximation<T> sin;
    Approximation<T> cos;
};

template <class Products, class T>
XSIN_ALWAYS_INLINE SinCosApproximation<T> approximateSinCos(T u, const Reduced<T>& reduced) {
    const Kernel<T> k = kernel<Products>(reduced.r);
    const BasicDoubleDouble<T> sinR = sinOf<Products>(k);
    const BasicDoubleDouble<T> cosR = cosOf<Products>(k);
    const IntegerOf<T> swap = odd(reduced);
    const BasicDoubleDouble<T> sine{select(swap, cosR.hi, sinR.hi), select(swap, cosR.lo, sinR.lo)};
    const BasicDoubleDouble<T> cosine{select(swap, sinR.hi, cosR.hi), select(swap, sinR.lo, cosR.lo)};
    return {approximation(negatedWhere(sinFlips(reduced) ^ maskOf(u < 0.0), sine), reduced.error),
            approximation(negatedWhere(cosFlips(reduced), cosine), reduced.error)};
}

// --- The decision -----------------------------------------------------------

// The distances from x (normal, |x| >= 2^-969) to the doubles just above
// and just below it: a unit in the last place, half of it toward zero from
// a power of two.
template <class T>
struct Gaps {
    T above;
    T below;
};

template <class T>
XSIN_ALWAYS_INLINE Gaps<T> gaps(T x) {
    const IntegerOf<T> bits = binary64::bits(x);
    const T ulp = binary64::fromBits(bits & static_cast<std::int64_t>(binary64::exponentMask)) * 0x1p-52;
    const IntegerOf<T> powerOfTwo = maskOf((bits & static_cast<std::int64_t>(binary64::significandMask)) == 0);
    const T toward = select(powerOfTwo, ulp / 2, ulp);
    const IntegerOf<T> positive = maskOf(x > 0.0);
    return {select(positive, ulp, toward), select(positive, toward, ulp)};
}

// Set where y decides the rounding to nearest: no midpoint between y.hi and
// its neighbours lies within the error. The result is then y.hi.
template <class T>
XSIN_ALWAYS_INLINE IntegerOf<T> decidesNearest(const Approximation<T>& y) {
    const Gaps<T> g = gaps(y.hi);
    return maskOf(y.lo + y.error < g.above / 2) & maskOf(y.lo - y.error > -g.below / 2);
}

// The correctly rounded value of a double's approximation in the direction
// asked for, when no rounding boundary lies within its error: the midpoints
// next to hi (to nearest), the doubles themselves (down, up).
XSIN_ALWAYS_INLINE bool decide(const Approximation<double>& y, Rounding rounding, double& result) {
    if (rounding == Rounding::nearest) {
        result = y.hi;
        return decidesNearest(y) != 0;
    }
    const Gaps<double> g = gaps(y.hi);
    // The exact value lies in y.hi + [low, high].
    const double high = y.lo + y.error;
    const double low = y.lo - y.error;
    const bool justAbove = low > 0.0 && high < g.above;
    const bool justBelow = high < 0.0 && low > -g.below;
    if (rounding == Rounding::down) {
        result = justAbove ? y.hi : y.hi - g.below;
    } else {
        result = justBelow ? y.hi : y.hi + g.above;
    }
    return justAbove || justBelow;
}

// --- The fast path of exp ---------------------------------------------------

constexpr DoubleDouble ln2Over256Split = split(tables::ln2Over256[0]);

// T e^r with exp(u) = 2^scale T e^r, for |u| <= 700; false elsewhere.
template <class Products>
XSIN_ALWAYS_INLINE bool approximateExp(double u, Approximation<double>& y, int& scale) {
    if (!(std::fabs(u) <= constants::expMost)) {
        return false;
    }
    // Step 1.
    const double k = binary64::nearestInteger(u * tables::twoFiftySixOverLn2);
    const DoubleDouble kl1 = Products::product(k, splitFor<Products>(k), tables::ln2Over256[0], ln2Over256Split);
    const DoubleDouble t = twoSum(u, -kl1.hi);
    const DoubleDouble kl2 = Products::product(k, splitFor<Products>(k), tables::ln2Over256[1],
                                               splitFor<Products>(tables::ln2Over256[1]));
    const DoubleDouble s = twoSum(t.hi, -kl2.hi);
    const DoubleDouble r = twoSum(s.hi, (((t.lo - kl1.lo) + s.lo) - kl2.lo) - k * tables::ln2Over256[2]);
    // Step 2.
    const long n = static_cast<long>(k);
    const long i = n & 255;
    scale = static_cast<int>((n - i) / 256);
    const double th = tables::exp2Over256[i][0];
    const double tl = tables::exp2Over256[i][1];
    // Step 3.
    const double r1 = r.hi + r.lo;
    const double r2 = r1 * r1;
    const double* e = constants::expCoefficients;
    const double expMinusOneMinusR = r2 * (e[0] + r1 * (e[1] + r1 * (e[2] + r1 * (e[3] + r1 * e[4]))));
    // Step 4.
    const DoubleDouble tr = Products::product(th, splitFor<Products>(th), r.hi, splitFor<Products>(r.hi));
    const DoubleDouble main = twoSum(th, tr.hi);
    const double tail = ((th * expMinusOneMinusR + tl) + tr.lo) + (th * r.lo + tl * r.hi);
    // Step 5.
    y = approximation(fastTwoSum(main.hi, main.lo + tail), 0.0);
    return true;
}

}  // namespace
}  // namespace xsin::fastpath
