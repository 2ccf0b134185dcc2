#pragma once

#include <cstdint>

#include "elementary/internal/fast_path.h"
#include "elementary/lanes.h"
#include "numerics/binary64.h"

// The fast path of sin and cos (elementary/internal/fast_path.h) for four
// arguments at once, in the lanes of vectors: lane by lane the very
// operations of the scalar path with DekkerProducts, in the same order, so
// that each lane's approximation, its error bound and the decision are the
// scalar path's, and the analysis there holds for every lane. The branches
// of the scalar path become selections: for k = 0 the reduction's
// arithmetic gives r = |u| + 0 exactly, as the scalar path sets it; the
// Veltkamp splits the scalar path reads from its table are computed, by the
// same formula. Inline, for code compiled for the vector unit at hand (AVX2,
// or SSE2 in two halves).

namespace xsin::fastpath {

#define XSIN_LANES [[gnu::always_inline]] inline

XSIN_LANES Double4 broadcast(double x) {
    return Double4{x, x, x, x};
}

XSIN_LANES Long4 broadcastBits(std::int64_t x) {
    return Long4{x, x, x, x};
}

// The lanes of a where mask is set (all ones), of b elsewhere.
XSIN_LANES Double4 select(Long4 mask, Double4 a, Double4 b) {
    return (Double4)((mask & (Long4)a) | (~mask & (Long4)b));
}

XSIN_LANES Double4 magnitude(Double4 x) {
    return (Double4)((Long4)x & broadcastBits(INT64_MAX));
}

// -x where mask is set.
XSIN_LANES Double4 negatedWhere(Long4 mask, Double4 x) {
    return (Double4)((Long4)x ^ (mask & broadcastBits(INT64_MIN)));
}

struct DoubleDouble4 {
    Double4 hi;
    Double4 lo;
};

XSIN_LANES DoubleDouble4 negatedWhere(Long4 mask, DoubleDouble4 x) {
    return {negatedWhere(mask, x.hi), negatedWhere(mask, x.lo)};
}

XSIN_LANES DoubleDouble4 twoSum(Double4 a, Double4 b) {
    const Double4 s = a + b;
    const Double4 bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

XSIN_LANES DoubleDouble4 fastTwoSum(Double4 a, Double4 b) {
    const Double4 s = a + b;
    return {s, b - (s - a)};
}

XSIN_LANES DoubleDouble4 split(Double4 a) {
    const Double4 c = 134217729.0 * a;  // 2^27 + 1
    const Double4 hi = c - (c - a);
    return {hi, a - hi};
}

XSIN_LANES DoubleDouble4 twoProduct(Double4 a, DoubleDouble4 as, Double4 b, DoubleDouble4 bs) {
    const Double4 p = a * b;
    return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

struct Reduced4 {
    DoubleDouble4 r;
    Long4 quadrant;
    Long4 negative;  // all ones where r < 0 (r is then made positive)
    Double4 error;
    Long4 inRange;   // all ones where 2^-26 <= |u| <= 400
};

XSIN_LANES Reduced4 reduce(Double4 u) {
    Reduced4 reduced;
    const Double4 a = magnitude(u);
    reduced.inRange = (a >= 0x1p-26) & (a <= 400.0);
    // k below 2^8: as an integer in the low bits of the shifted sum.
    const Double4 kShifted = a * tables::twoOverPi + roundingShifter;
    const Double4 k = kShifted - roundingShifter;
    const Double4 t = a - k * tables::halfPi[0];
    const DoubleDouble4 s = twoSum(t, -(k * tables::halfPi[1]));
    reduced.r = twoSum(s.hi, s.lo - k * tables::halfPi[2]);
    reduced.error = select(k != 0.0, broadcast(0x1p-103), broadcast(0.0));
    reduced.quadrant = (Long4)kShifted & 3;
    reduced.negative = reduced.r.hi < 0.0;
    reduced.r = negatedWhere(reduced.negative, reduced.r);
    return reduced;
}

struct Kernel4 {
    Double4 sinHi, sinLo, cosHi, cosLo;  // the table's, at j/256
    Double4 zh, zl;
    DoubleDouble4 zSplit;
    Double4 cosMinusOne, sinMinusZ;
};

XSIN_LANES Kernel4 kernel(DoubleDouble4 r) {
    Kernel4 k;
    const Double4 shifted = r.hi * 256.0 + roundingShifter;
    const Long4 j = (Long4)shifted & 0xff;
    const Entry* e[4] = {&entries[static_cast<std::size_t>(j[0])], &entries[static_cast<std::size_t>(j[1])],
                         &entries[static_cast<std::size_t>(j[2])], &entries[static_cast<std::size_t>(j[3])]};
    k.sinHi = Double4{e[0]->sinHi, e[1]->sinHi, e[2]->sinHi, e[3]->sinHi};
    k.sinLo = Double4{e[0]->sinLo, e[1]->sinLo, e[2]->sinLo, e[3]->sinLo};
    k.cosHi = Double4{e[0]->cosHi, e[1]->cosHi, e[2]->cosHi, e[3]->cosHi};
    k.cosLo = Double4{e[0]->cosLo, e[1]->cosLo, e[2]->cosLo, e[3]->cosLo};
    k.zh = r.hi - (shifted - roundingShifter) * 0x1p-8;
    k.zl = r.lo;
    k.zSplit = split(k.zh);
    const Double4 z1 = k.zh + k.zl;
    const Double4 z2 = z1 * z1;
    k.cosMinusOne = z2 * (-0.5 + z2 * (1.0 / 24 - z2 * (1.0 / 720)));
    k.sinMinusZ = (z1 * z2) * (-(1.0 / 6) + z2 * (1.0 / 120 - z2 * (1.0 / 5040)));
    return k;
}

XSIN_LANES DoubleDouble4 evaluate(const Kernel4& k, Double4 x, Double4 xl, Double4 y, Double4 yl) {
    const DoubleDouble4 yz = twoProduct(y, split(y), k.zh, k.zSplit);
    const DoubleDouble4 main = twoSum(x, yz.hi);
    const Double4 tail = ((x * k.cosMinusOne + y * k.sinMinusZ) + (xl + yz.lo)) + (y * k.zl + yl * k.zh);
    return fastTwoSum(main.hi, main.lo + tail);
}

XSIN_LANES DoubleDouble4 sinOf(const Kernel4& k) {
    return evaluate(k, k.sinHi, k.sinLo, k.cosHi, k.cosLo);
}

XSIN_LANES DoubleDouble4 cosOf(const Kernel4& k) {
    return evaluate(k, k.cosHi, k.cosLo, -k.sinHi, -k.sinLo);
}

XSIN_LANES Long4 odd(const Reduced4& reduced) {
    return (reduced.quadrant & 1) != 0;
}

XSIN_LANES Long4 sinFlips(const Reduced4& reduced) {
    return (reduced.quadrant >= 2) ^ (~odd(reduced) & reduced.negative);
}

XSIN_LANES Long4 cosFlips(const Reduced4& reduced) {
    return ((reduced.quadrant == 1) | (reduced.quadrant == 2)) ^ (odd(reduced) & reduced.negative);
}

// sin or cos of r alone, lane by lane the one each needs, the table's
// values chosen rather than the code.
XSIN_LANES DoubleDouble4 sinOrCos(const Kernel4& k, Long4 cosine) {
    return evaluate(k, select(cosine, k.cosHi, k.sinHi), select(cosine, k.cosLo, k.sinLo),
                    select(cosine, -k.sinHi, k.cosHi), select(cosine, -k.sinLo, k.cosLo));
}

struct Approximation4 {
    Double4 hi;
    Double4 lo;
    Double4 error;
};

XSIN_LANES Approximation4 approximation(DoubleDouble4 value, Double4 absolute) {
    return {value.hi, value.lo, relativeBound * magnitude(value.hi) + absolute};
}

// All ones where the approximation decides the rounding to nearest; the
// result is then its hi.
XSIN_LANES Long4 decidesNearest(const Approximation4& y) {
    const Long4 bits = (Long4)y.hi;
    const Double4 ulp = (Double4)(bits & broadcastBits(static_cast<std::int64_t>(binary64::exponentMask))) * 0x1p-52;
    const Long4 powerOfTwo = (bits & broadcastBits(static_cast<std::int64_t>(binary64::significandMask))) == 0;
    const Double4 toward = select(powerOfTwo, ulp / 2, ulp);
    const Long4 positive = y.hi > 0.0;
    const Double4 above = select(positive, ulp, toward);
    const Double4 below = select(positive, toward, ulp);
    const Double4 high = y.lo + y.error;
    const Double4 low = y.lo - y.error;
    return (high < above / 2) & (low > -below / 2);
}

#undef XSIN_LANES

}  // namespace xsin::fastpath
