#pragma once

#include <cfloat>
#include <cstdint>
#include <cstring>

// The facts of IEEE-754 binary64, written once: its bits, its decomposition
// into an integer times a power of two, its unit in the last place and its
// unit roundoff, and the double-double that carries twice its precision.

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

// 2^-53: each operation, rounded to nearest, adds a relative error of at
// most this.
constexpr double unitRoundoff = 0x1p-53;

// -(the exponent of the least subnormal), 2^-1074: every finite double is
// an integer multiple of it.
constexpr int leastExponent = exponentBias + significandBits - 1;

inline std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

inline double fromBits(std::uint64_t b) {
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
// |lo| <= ulp(hi)/2: about 106 bits.
struct DoubleDouble {
    double hi;
    double lo;
};

inline DoubleDouble operator-(DoubleDouble p) {
    return {-p.hi, -p.lo};
}

}  // namespace xsin
