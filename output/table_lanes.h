#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "binary64/always_inline.h"
#include "binary64/binary64.h"
#include "binary64/lanes.h"
#include "binary64/lanes_sse2.h"
#include "binary64/selections.h"
#include "output/decimal.h"
#include "output/table_lanes_constants.h"

// The fields of table numbers below 1024 in magnitude, four at a time in
// the lanes of vectors (binary64/lanes.h): written once, and compiled by
// output/table_lanes_sse2.cpp and output/table_lanes_avx2.cpp for their own
// instruction set, each with its own way of gathering the lanes' sign bits
// (binary64/lanes_sse2.h, binary64/lanes_avx2.h), which it passes on.
// Internal to the file that includes it (an unnamed namespace, everything
// inlined).
//
// Every step's arithmetic is proved by Gappa from the constants here
// (output/table_lanes_constants.h, binary64::roundingShifter), with the
// script named at each:
// 1. In units of 1e-10 the magnitude is m*2^-k * 10^10, which y = RN(|v| *
//    10^10) gives to within half an ulp of y, at most 2^-10 (y < 2^44):
//    rounded to an integer, y gives that of the exact value unless it lies
//    within 2^-8 of a half. Those few numbers are converted again, by the
//    exact scalar way (proofs/table_lanes_scaling.g).
// 2. The integer, below 2^44, is split by divisions that the arithmetic of
//    doubles makes exact: q = floor(x/unit) for an integer x below 2^53
//    and x/unit below 1100 is the nearest integer to RN(x * (1/unit)) -
//    (1/2 - 2^-38), because RN(x * (1/unit)) lies within 2^-40 of x/unit,
//    whose fraction is 0 or at least 1/unit, and at most 1 - 1/unit; and
//    x - q*unit is exact. The parts fit the tables and the 32-bit lanes
//    (proofs/table_lanes_splits.g).
// 3. The last eight decimals, below 10^8, are split into digits in integer
//    lanes, where every quotient is exact: by 10^4 the compiler's own
//    division, by 100 and 10 products by 5243 and 6554
//    (proofs/table_lanes_splits.g).

namespace xsin::lines {
namespace {

// Four numbers taken apart.
struct Four {
    Int4 heads;       // the places of the sign and integer part in decimal::prefixes
    Int4 firstTwo;    // the first two decimals, 0 to 99
    UInt4 lastEight;  // the last eight, below 10^8
    int undecided;    // the lanes to convert again, a bit a lane
};

// floor(x / unit) for the integers x here, from x times 1/unit.
XSIN_ALWAYS_INLINE Double4 quotient(Double4 x, double reciprocal) {
    return binary64::nearestInteger(x * reciprocal - constants::justBelowHalf);
}

// The four numbers at values, taken apart; false when one is not below 1024
// (or is NaN). signBits(mask) gives the lanes of a mask as bits.
template <int (*signBits)(Long4)>
XSIN_ALWAYS_INLINE bool takeApart(const double* values, Four& four) {
    using namespace constants;
    const Double4 v = loadLanes(values);
    const Double4 a = magnitude(v);
    if (signBits(~(a < directLimit)) != 0) {
        return false;
    }
    const Double4 y = a * tenToTheTen;
    const Double4 units = binary64::nearestInteger(y);
    four.undecided = signBits(magnitude(y - units) > undecidedFrom);
    const Double4 whole = quotient(units, tenToTheMinusTen);
    const Double4 decimals = units - whole * tenToTheTen;
    const Double4 first = quotient(decimals, tenToTheMinusEight);
    const Double4 last = decimals - first * tenToTheEight;
    // A negative number's prefix comes after the positive ones.
    const Int4 negative = __builtin_convertvector(binary64::bits(v) >> 63, Int4) & decimal::directWholes;
    four.heads = __builtin_convertvector(whole, Int4) + negative;
    four.firstTwo = __builtin_convertvector(first, Int4);
    four.lastEight = (UInt4) __builtin_convertvector(last, Int4);
    return true;
}

// "." and the first two decimals, for one four-byte store whose last byte
// the next store overwrites.
struct PointAndPair {
    char text[4];
};

struct PointAndPairs {
    PointAndPair of[100];
};

constexpr PointAndPairs makePointAndPairs() {
    PointAndPairs table{};
    for (std::size_t i = 0; i < 100; ++i) {
        table.of[i] = {{'.', static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10), '0'}};
    }
    return table;
}

constexpr PointAndPairs pointAndPairs = makePointAndPairs();

// The eight decimal digits of four numbers below 10^8, as ASCII: digits[0]
// holds the first two numbers' 16, digits[1] the others'. Each number is
// split into two halves of four digits, each half into two pairs, each pair
// into two digits, the halves side by side in 16-bit lanes: there x / 100
// is x * 5243 >> 19 for x < 10^4, and x / 10 is x * 6554 >> 16 for x < 100.
XSIN_ALWAYS_INLINE void eightDigits(UInt4 value, Word2 digits[2]) {
    const UInt4 upper = value / 10000;
    // The lower half is below 2^16, so that 16-bit arithmetic, modulo 2^16,
    // gives it whole in the lower 16 bits of each 32-bit lane.
    const Short8 lower = (Short8)value - (Short8)upper * 10000;
    // 16-bit lanes: upper0, lower0, upper1, lower1, ...
    const Short8 fours = (Short8)(upper | (UInt4)lower << 16);
    const Short8 hundred = sse2::hidden(100);
    const Short8 ten = sse2::hidden(10);
    const Short8 hundreds = sse2::upperProducts(fours, Short8{} + 5243) >> 3;
    const Short8 ones = fours - hundreds * hundred;
    const Short8 pairs[2] = {__builtin_shufflevector(hundreds, ones, 0, 8, 1, 9, 2, 10, 3, 11),
                             __builtin_shufflevector(hundreds, ones, 4, 12, 5, 13, 6, 14, 7, 15)};
    for (int half = 0; half < 2; ++half) {
        const Short8 tens = sse2::upperProducts(pairs[half], Short8{} + 6554);
        const Short8 units = pairs[half] - tens * ten;
        digits[half] = (Word2)(tens | units << 8 | 0x3030);
    }
}

// The fields of four numbers of a column taken apart, at at, at + stride,
// at + 2 stride and at + 3 stride, each followed by its separator and the
// blank that starts the next field, one character beyond. Four stores a
// field, from tables and the digits.
XSIN_ALWAYS_INLINE void putFour(char* at, std::size_t stride, const Four& four, char separator) {
    Word2 digits[2];
    eightDigits(four.lastEight, digits);
    const char after[2] = {separator, ' '};
    for (std::size_t lane = 0; lane < 4; ++lane) {
        char* field = at + stride * lane;
        const std::uint64_t eight = digits[lane / 2][lane % 2];
        std::memcpy(field + 1, decimal::prefixes.of[four.heads[lane]].text, 8);
        std::memcpy(field + 9, pointAndPairs.of[four.firstTwo[lane]].text, 4);
        std::memcpy(field + 12, &eight, 8);
        std::memcpy(field + 20, after, 2);
    }
}

// The fields of groups of four numbers, as fieldsSse2 and fieldsAvx2
// (output/table_lanes_entries.h) write them.
template <int (*signBits)(Long4)>
XSIN_ALWAYS_INLINE int fields(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
                              unsigned char* undecided) {
    int any = 0;
    for (std::size_t group = 0; group < groups; ++group) {
        Four four;
        if (!takeApart<signBits>(values + 4 * group, four)) {
            return -1;
        }
        putFour(at + 4 * stride * group, stride, four, separator);
        undecided[group] = static_cast<unsigned char>(four.undecided);
        any |= four.undecided;
    }
    return any;
}

}  // namespace
}  // namespace xsin::lines
