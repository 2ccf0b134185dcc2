#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "elementary/internal/tables.h"
#include "numerics/binary64.h"

// The fast path of the correctly rounded functions (elementary/correctly_
// rounded.h): each function evaluated as a double-double y = hi + lo (hi
// the double nearest y) together with a bound E on |y - f(u)|, f the exact
// function, from which correctly_rounded.h decides the rounding. Inline, so
// that the evaluators' independent calls overlap.
//
// The error bounds, each step where it is incurred.
//
// Notation: u = 2^-53, the unit roundoff; each floating-point operation
// adds a relative error of at most u. TwoSum, FastTwoSum and Dekker's
// TwoProduct (with Veltkamp's split, no fused multiply-add) are exact: they
// return a sum or product as hi + lo with no error at all, as long as
// nothing overflows or underflows, which the ranges below ensure.
//
// sin and cos, for 2^-26 <= |u| <= 400:
//
// 1. Reduction. k = RN(|u| * 2/pi) rounded to an integer (|k| < 2^8), and
//    r = |u| - k*pi/2, pi/2 = P1 + P2 + P3 with each part of 45 bits, their
//    sum within 2^-140 of pi/2. k*P1 and k*P2 are exact (8 + 45 bits), and
//    so is t = |u| - k*P1: both are multiples of ulp(|u|) and |t| < 1.
//    TwoSum(t, -k*P2) = s + e exactly; w = RN(e - RN(k*P3)) is off by at most
//    u*2^-52 + 2^-133; TwoSum(s, w) = rh + rl exactly. So |rh + rl - r| <=
//    2^-104 (with the 2^8 * 2^-140 of the parts), and |r| <= pi/4 (1 + 2^-40).
//    For k = 0, rh = |u| and rl = 0 exactly. The sign of r goes into the
//    quadrant's sign: sin(-r) = -sin(r), cos(-r) = cos(r).
// 2. Table. j = round(256 rh), 0 <= j <= 201, a = j/256; S + C = sin a, cos a
//    as double-doubles, each within 2^-106 of the exact value. zh = rh - a is
//    exact (Sterbenz for j >= 1), zl = rl, z = zh + zl, |z| <= 2^-9 (1 + 2^-40),
//    |zl| <= 2^-53.
// 3. Polynomials, at z1 = RN(zh + zl) (|z1 - z| <= u|z|), z2 = RN(z1^2):
//      cos z - 1 ~ z2(-1/2 + z2(1/24 - z2/720)),  truncation <= z^8/8! < 2^-87
//      sin z - z ~ z1 z2(-1/6 + z2(1/120 - z2/5040)), truncation <= z^9/9! < 2^-99
//    With the step from z to z1 (<= u z^2 and u z^3/2) and the Horner
//    evaluation (3.01u and 4u relative, the constants' rounding included):
//    |cos z - 1| <= 2^-19 with an error <= 2^-70.4 + 2^-71, and
//    |sin z - z| <= 2^-29.6 with an error <= 2^-79.6, the products by S and C
//    below included. Neither can be shorter: without its last term cos z - 1
//    is off by up to z^6/6! < 2^-63.4, and sin z - z by up to z^7/7! <
//    2^-75.2, which is 2^-66.2 relative to sin r >= 2^-9.01 and, with the
//    rest below, beyond the bound of step 5.
// 4. sin r = S + C z + S (cos z - 1) + C (sin z - z): C z as TwoProduct(Ch, zh)
//    plus RN(Ch zl) + RN(Cl zh) (errors <= 2^-106 and Cl zl <= 2^-106 dropped),
//    S + (C z).hi by TwoSum, the six small terms summed in double (partial sums
//    below M = 2^-19|S| + 2^-29.6 + 2^-52, five roundings), added to the low
//    part (one more) and normalised by FastTwoSum. Dropping Sl (cos z - 1) and
//    Cl (sin z - z) costs 2^-72|S| and 2^-82.6. In all, for j >= 1,
//      |error| <= 13 * 2^-72 |S| + 2^-79.2,
//    and since sin r >= sin(a - 2^-9) >= |S|/2 and >= 2^-9.01, the relative
//    error is below 26 * 2^-72 + 2^-70.2 < 2^-67.1. For j = 0 (S = 0, C = 1)
//    only the polynomial and two roundings remain: below 1.34u z^2 < 2^-70.5.
//    cos r = C - S z + C (cos z - 1) - S (sin z - z) the same way, with
//    cos r >= cos(pi/4 + 2^-9) > 0.70: relative error below 2^-67.7.
// 5. Bound used: E = 2^-66 |hi| + (k != 0 ? 2^-103 : 0), twice each derived
//    figure (the second term carries the reduction through |f'| <= 1).
//
// exp, for |u| <= 700 (the result and its low part stay normal):
//
// 1. k = RN(u * 256/ln 2) rounded to an integer (|k| < 2^18); ln(2)/256 =
//    L1 + L2 + L3 as doubles (to 2^-172); k*L1 and k*L2 by TwoProduct, the
//    differences by TwoSum, the rest (errors below 2^-44 and 2^-62) summed in
//    four roundings: |rh + rl - r| <= 2^-95, |r| <= ln(2)/512 (1 + 2^-40) <
//    2^-9.5, which is a relative error of 2^-95 in e^r.
// 2. exp(u) = 2^(k >> 8) * T * e^r, T = 2^((k mod 256)/256) as a double-double
//    within 2^-106 T.
// 3. e^r - 1 - r ~ r2 (1/2 + r1(1/6 + r1(1/24 + r1(1/120 + r1/720)))) at
//    r1 = RN(rh + rl): truncation <= r^7/7! < 2^-78.8, the step to r1 <= u r^2
//    < 2^-72, Horner 3u of at most 2^-20: 2^-71.4.
// 4. T e^r = T + T r + T (e^r - 1 - r): T r by TwoProduct(Th, rh) and RN(Th rl)
//    + RN(Tl rh), T + (T r).hi by TwoSum, the small terms summed in double
//    (five roundings of at most 2^-20 T) and normalised; Tl (e^r - 1 - r)
//    dropped (2^-73 T). In all below 13 * 2^-73 T + 2^-95 T < 2^-69.3 T, and
//    T e^r >= 0.998 T.
// 5. Bound used: E = 2^-66 |hi|, and the rounding is decided before the
//    scaling by 2^(k >> 8), which is exact and keeps every rounding boundary.

namespace xsin::fastpath {

// --- Exact arithmetic -----------------------------------------------------

// a + b = hi + lo exactly.
inline DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The same when |a| >= |b| (or a = 0).
inline DoubleDouble fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Veltkamp: a = hi + lo with hi and lo of 26 bits each.
constexpr DoubleDouble split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// Exact products a * b = hi + lo, two ways that give the same lo, the
// product's rounding error, exactly (it is a double, nothing overflows or
// underflows here):
// - Dekker's, from the Veltkamp splits of a and b, with no fused
//   multiply-add (the tables carry their values' splits);
// - one fused multiply-add, fma(a, b, -hi), which rounds nothing away:
//   for CPUs that have it, where it replaces some twenty operations.
// The functions below take one or the other as Products.
struct DekkerProducts {
    static constexpr bool needsSplits = true;
    static DoubleDouble twoProduct(double a, DoubleDouble as, double b, DoubleDouble bs) {
        const double p = a * b;
        return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
    }
    static DoubleDouble twoProduct(double a, double b) { return twoProduct(a, split(a), b, split(b)); }
};

struct FusedProducts {
    static constexpr bool needsSplits = false;
    static DoubleDouble twoProduct(double a, DoubleDouble, double b, DoubleDouble) { return twoProduct(a, b); }
    static DoubleDouble twoProduct(double a, double b) {
        const double p = a * b;
        return {p, __builtin_fma(a, b, -p)};
    }
};

// --- Tables ---------------------------------------------------------------

// sin and cos of j/256 with the splits their exact products need.
struct Entry {
    double sinHi;
    double sinLo;
    double cosHi;
    double cosLo;
    DoubleDouble sinSplit;
    DoubleDouble cosSplit;
};

constexpr std::array<Entry, 202> makeEntries() {
    std::array<Entry, 202> entries{};
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const double* row = tables::sinCos256[j];
        entries[j] = {row[0], row[1], row[2], row[3], split(row[0]), split(row[2])};
    }
    return entries;
}

inline constexpr std::array<Entry, 202> entries = makeEntries();
inline constexpr DoubleDouble ln2Over256Split = split(tables::ln2Over256[0]);

// Adding and subtracting 1.5 * 2^52 rounds a double below 2^51 to an integer.
constexpr double roundingShifter = 0x1.8p52;

// --- The fast path --------------------------------------------------------

// hi + lo within error of the exact value.
struct Approximation {
    double hi;
    double lo;
    double error;
};

constexpr double relativeBound = 0x1p-66;

inline Approximation approximation(DoubleDouble value, double absolute) {
    return {value.hi, value.lo, relativeBound * std::fabs(value.hi) + absolute};
}

// |u| = k pi/2 + r, with r as rh + rl.
struct Reduced {
    DoubleDouble r;
    int quadrant;   // k mod 4
    bool negative;  // r < 0 (r itself is then made positive)
    double error;   // of r
};

// For 2^-26 <= |u| <= 400; false elsewhere (and for NaN).
inline bool reduce(double u, Reduced& reduced) {
    const double a = std::fabs(u);
    if (!(a >= 0x1p-26 && a <= 400.0)) {
        return false;
    }
    const double k = (a * tables::twoOverPi + roundingShifter) - roundingShifter;
    reduced.r = {a, 0.0};
    reduced.error = 0.0;
    if (k != 0.0) {
        const double t = a - k * tables::halfPi[0];
        const DoubleDouble s = twoSum(t, -(k * tables::halfPi[1]));
        reduced.r = twoSum(s.hi, s.lo - k * tables::halfPi[2]);
        reduced.error = 0x1p-103;
    }
    reduced.quadrant = static_cast<int>(k) & 3;
    reduced.negative = reduced.r.hi < 0.0;
    if (reduced.negative) {
        reduced.r = -reduced.r;
    }
    return true;
}

// 0 <= r <= pi/4 (1 + 2^-40) as a + z, a = j/256, with cos z - 1 and
// sin z - z.
struct Kernel {
    const Entry* e;
    double zh;
    double zl;
    DoubleDouble zSplit;
    double cosMinusOne;
    double sinMinusZ;
};

template <class Products>
inline Kernel kernel(DoubleDouble r) {
    Kernel k;
    // j = round(256 rh) by the shifter, its bits the index: no conversion
    // on the path to z.
    const double shifted = r.hi * 256.0 + roundingShifter;
    k.e = &entries[static_cast<std::size_t>(binary64::bits(shifted) & 0xff)];
    k.zh = r.hi - (shifted - roundingShifter) * 0x1p-8;
    k.zl = r.lo;
    k.zSplit = Products::needsSplits ? split(k.zh) : DoubleDouble{};
    const double z1 = k.zh + k.zl;
    const double z2 = z1 * z1;
    k.cosMinusOne = z2 * (-0.5 + z2 * (1.0 / 24 - z2 * (1.0 / 720)));
    k.sinMinusZ = (z1 * z2) * (-(1.0 / 6) + z2 * (1.0 / 120 - z2 * (1.0 / 5040)));
    return k;
}

// X + Y z + X (cos z - 1) + Y (sin z - z): sin r for X = S and Y = C, cos r
// for X = C and Y = -S. Y's split is the table's, negated with it.
template <class Products>
inline DoubleDouble evaluate(const Kernel& k, double x, double xl, double y, double yl, DoubleDouble ySplit) {
    const DoubleDouble yz = Products::twoProduct(y, ySplit, k.zh, k.zSplit);
    const DoubleDouble main = twoSum(x, yz.hi);
    // Summed as a tree, for a shorter chain: the same five roundings.
    const double tail = ((x * k.cosMinusOne + y * k.sinMinusZ) + (xl + yz.lo)) + (y * k.zl + yl * k.zh);
    return fastTwoSum(main.hi, main.lo + tail);
}

template <class Products>
inline DoubleDouble sinOf(const Kernel& k) {
    const Entry& e = *k.e;
    return evaluate<Products>(k, e.sinHi, e.sinLo, e.cosHi, e.cosLo, e.cosSplit);
}

template <class Products>
inline DoubleDouble cosOf(const Kernel& k) {
    const Entry& e = *k.e;
    return evaluate<Products>(k, e.cosHi, e.cosLo, -e.sinHi, -e.sinLo, -e.sinSplit);
}

// sin |u| and cos |u| from sin r and cos r (r >= 0), by the quadrant of
// k pi/2 and the sign of r: sin(-r) = -sin r, cos(-r) = cos r, and
// sin(r + q pi/2) is sin r, cos r, -sin r, -cos r for q = 0, 1, 2, 3, its
// cosine cos r, -sin r, -cos r, sin r.
inline bool sinFlips(const Reduced& reduced) {
    const bool odd = (reduced.quadrant & 1) != 0;
    return (reduced.quadrant >= 2) != (!odd && reduced.negative);
}

inline bool cosFlips(const Reduced& reduced) {
    const bool odd = (reduced.quadrant & 1) != 0;
    return (reduced.quadrant == 1 || reduced.quadrant == 2) != (odd && reduced.negative);
}

inline DoubleDouble flipped(DoubleDouble value, bool flip) {
    return flip ? -value : value;
}

// One of them alone: only the one of sin r and cos r that it needs, the
// table's values chosen rather than the code.
template <class Products>
inline DoubleDouble sinOrCos(const Kernel& k, bool cosine) {
    const Entry& e = *k.e;
    return cosine ? evaluate<Products>(k, e.cosHi, e.cosLo, -e.sinHi, -e.sinLo, -e.sinSplit)
                  : evaluate<Products>(k, e.sinHi, e.sinLo, e.cosHi, e.cosLo, e.cosSplit);
}

template <class Products>
inline DoubleDouble sinOfMagnitude(const Reduced& reduced) {
    const bool odd = (reduced.quadrant & 1) != 0;
    return flipped(sinOrCos<Products>(kernel<Products>(reduced.r), odd), sinFlips(reduced));
}

template <class Products>
inline DoubleDouble cosOfMagnitude(const Reduced& reduced) {
    const bool odd = (reduced.quadrant & 1) != 0;
    return flipped(sinOrCos<Products>(kernel<Products>(reduced.r), !odd), cosFlips(reduced));
}

// T e^r with exp(u) = 2^scale T e^r, for |u| <= 700; false elsewhere.
template <class Products>
inline bool approximateExp(double u, Approximation& y, int& scale) {
    if (!(std::fabs(u) <= 700.0)) {
        return false;
    }
    const double k = (u * tables::twoFiftySixOverLn2 + roundingShifter) - roundingShifter;
    const DoubleDouble kSplit = Products::needsSplits ? split(k) : DoubleDouble{};
    const DoubleDouble kl1 = Products::twoProduct(k, kSplit, tables::ln2Over256[0], ln2Over256Split);
    const DoubleDouble t = twoSum(u, -kl1.hi);
    const DoubleDouble kl2 = Products::twoProduct(k, tables::ln2Over256[1]);
    const DoubleDouble s = twoSum(t.hi, -kl2.hi);
    const DoubleDouble r = twoSum(s.hi, (((t.lo - kl1.lo) + s.lo) - kl2.lo) - k * tables::ln2Over256[2]);

    const long n = static_cast<long>(k);
    const long i = n & 255;
    scale = static_cast<int>((n - i) / 256);
    const double th = tables::exp2Over256[i][0];
    const double tl = tables::exp2Over256[i][1];
    const double r1 = r.hi + r.lo;
    const double r2 = r1 * r1;
    const double expMinusOneMinusR =
        r2 * (0.5 + r1 * (1.0 / 6 + r1 * (1.0 / 24 + r1 * (1.0 / 120 + r1 * (1.0 / 720)))));
    const DoubleDouble tr = Products::twoProduct(th, r.hi);
    const DoubleDouble main = twoSum(th, tr.hi);
    const double tail = ((th * expMinusOneMinusR + tl) + tr.lo) + (th * r.lo + tl * r.hi);
    y = approximation(fastTwoSum(main.hi, main.lo + tail), 0.0);
    return true;
}

}  // namespace xsin::fastpath
