#pragma once

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "binary64/always_inline.h"

// The facts of IEEE-754 binary64, written once: its bits, its decomposition
// into an integer times a power of two, its unit in the last place and its
// unit roundoff, the double-double that carries twice its precision and the
// exact sums and products that form one.

// Every value is a double rounded after each operation: the tables print
// ten decimals, where a wider intermediate (the x87 unit's 80 bits on
// 32-bit x86 without SSE2) changes the last digit. The build passes the
// flags that make it so; this stops a build for which they did not.
static_assert(FLT_EVAL_METHOD == 0,
              "floating-point expressions must be evaluated in their own type (FLT_EVAL_METHOD 0)");
static_assert(DBL_MANT_DIG == 53 && DBL_MAX_EXP == 1024 && sizeof(double) == 8, "double must be IEEE-754 binary64");

namespace xsin::binary64 {

// The layout of the 64 bits: a sign, 11 bits of biased exponent and 52 of
// significand, whose leading 1 is implicit in normal numbers.
constexpr int significandBits = 52;
constexpr int precision = significandBits + 1;
constexpr int exponentBias = 1023;
constexpr std::uint64_t signMask = std::uint64_t{1} << 63;
constexpr std::uint64_t exponentMask = std::uint64_t{0x7ff} << significandBits;
constexpr std::uint64_t significandMask = (std::uint64_t{1} << significandBits) - 1;
constexpr std::uint64_t implicitBit = std::uint64_t{1} << significandBits;

// 2^-52, the distance from 1 to the next double (DBL_EPSILON), and half of
// it, 2^-53: each operation, rounded to nearest, adds a relative error of at
// most unitRoundoff.
constexpr double epsilon = 0x1p-52;
constexpr double unitRoundoff = epsilon / 2;

// From 2^53 on every double is an integer.
constexpr double integersFrom = 0x1p53;

// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51
// to an integer (to nearest, ties to even), and leaves that integer in the
// low bits of the sum.
constexpr double roundingShifter = 0x1.8p52;

// x (a double, or four in lanes) rounded so to an integer, for |x| < 2^51.
template <class T>
XSIN_ALWAYS_INLINE T nearestInteger(T x) {
    return (x + roundingShifter) - roundingShifter;
}

// The exponent range of doubles when a number is written m * 2^e with
// 1/2 <= m < 1, as frexp and MPFR write it: the least subnormal, 2^-1074,
// is 1/2 * 2^-1073, and every finite double is below 2^1024.
constexpr int leastFractionExponent = DBL_MIN_EXP - significandBits;
constexpr int greatestFractionExponent = DBL_MAX_EXP;

// -(the exponent of the least subnormal), 2^-1074: every finite double is
// an integer multiple of it.
constexpr int leastExponent = exponentBias + significandBits - 1;

// A double's 64 bits as an integer, and back (four lanes' alike,
// binary64/lanes.h).
XSIN_ALWAYS_INLINE std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

XSIN_ALWAYS_INLINE double fromBits(std::uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

// |x| = m * 2^-k exactly, for finite x: m < 2^53 and k = 1074 for
// subnormals, m with its leading bit and k <= 1074 for normal numbers.
struct Decomposition {
    std::uint64_t m;
    int k;
};

inline Decomposition decompose(double x) {
    const std::uint64_t b = bits(x);
    const int biased = static_cast<int>((b & exponentMask) >> significandBits);
    const std::uint64_t stored = b & significandMask;
    if (biased == 0) {
        return {stored, leastExponent};
    }
    return {stored | implicitBit, leastExponent + 1 - biased};
}

// 2^e as a double, for the normal exponents -1022 <= e <= 1023.
inline double powerOfTwo(int e) {
    return fromBits(static_cast<std::uint64_t>(e + exponentBias) << significandBits);
}

// The unit in the last place of a normal x: the distance from |x| to the
// next double away from zero, 2^(floor(log2 |x|) - 52).
inline double ulp(double x) {
    return fromBits(bits(x) & exponentMask) * 0x1p-52;
}

}  // namespace xsin::binary64

namespace xsin {

// A number carried as the unevaluated sum of two doubles, hi + lo with
// |lo| <= ulp(hi)/2: about 106 bits. T is double, or four of them in the
// lanes of a vector (binary64/lanes.h), each lane its own double-double.
template <class T>
struct BasicDoubleDouble {
    T hi;
    T lo;
};

using DoubleDouble = BasicDoubleDouble<double>;

template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> operator-(BasicDoubleDouble<T> p) {
    return {-p.hi, -p.lo};
}

// Exact transformations: each returns a sum or a product as hi + lo with
// no error at all, as long as nothing overflows or underflows, in plain
// operations each rounded to nearest (no fused multiply-add). Written over
// a double or over lanes, and always inlined (binary64/always_inline.h).

// a + b = hi + lo (Knuth's TwoSum).
template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> twoSum(T a, T b) {
    const T s = a + b;
    const T bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The same when |a| >= |b| or a = 0 (Dekker's FastTwoSum).
template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> fastTwoSum(T a, T b) {
    const T s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with hi and lo of 26 significant bits each (Veltkamp).
template <class T>
XSIN_ALWAYS_INLINE constexpr BasicDoubleDouble<T> split(T a) {
    const T c = (0x1p27 + 1) * a;
    const T hi = c - (c - a);
    return {hi, a - hi};
}

// a * b = hi + lo (Dekker's TwoProduct), from the splits of a and b, which
// a caller that multiplies by the same number again keeps.
template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> twoProduct(T a, BasicDoubleDouble<T> as, T b, BasicDoubleDouble<T> bs) {
    const T p = a * b;
    return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> twoProduct(T a, T b) {
    return twoProduct(a, split(a), b, split(b));
}

}  // namespace xsin
