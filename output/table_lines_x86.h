#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "binary64/binary64.h"
#include "binary64/lanes.h"
#include "output/decimal.h"

// The fields of table numbers below 1024 in magnitude, four at a time in
// the lanes of x86 vectors: written once over four lanes, and compiled by
// output/table_lines_sse2.cpp and output/table_lines_avx2.cpp for their own
// instruction set, each with the way it gathers the lanes' sign bits.
// Internal to the file that includes it (an unnamed namespace, everything
// inlined).
//
// In units of 1e-10 the magnitude is m*2^-k * 10^10, which y = RN(|v| *
// 10^10) gives to within half an ulp of y, at most 2^-10 (y < 2^44):
// rounded to an integer, y gives that of the exact value unless it lies
// within 2^-8 of a half. Those few numbers are converted again, by the
// exact scalar way. The integer, below 2^44, is split by divisions that the
// arithmetic of doubles makes exact: q = floor(x/unit) for an integer x
// below 2^53 and x/unit below 1100 is the nearest integer to RN(x * (1/unit))
// - (1/2 - 2^-38), because RN(x * (1/unit)) lies within 2^-40 of x/unit,
// whose fraction is a multiple of 1/unit >= 1e-10; and x - q*unit is exact.

namespace xsin::lines {
namespace {

#define XSIN_ALWAYS [[gnu::always_inline]] inline

typedef std::int32_t Int4 __attribute__((vector_size(16)));

// Four numbers taken apart.
struct Four {
    __m128i heads;      // the places of the sign and integer part in decimal::prefixes
    __m128i firstTwo;   // the first two decimals, 0 to 99
    __m128i lastEight;  // the last eight, below 10^8
    int undecided;      // the lanes to convert again, a bit a lane
};

constexpr double tenToTheTen = 1e10;
constexpr double justBelowHalf = 0.5 - 0x1p-38;
constexpr double undecidedFrom = 0.5 - 0x1p-8;

// The four numbers at values, taken apart; false when one is not below 1024
// (or is NaN). signBits(mask) gives the lanes of a mask as bits.
template <int (*signBits)(Long4)>
XSIN_ALWAYS bool takeApart(const double* values, Four& four) {
    const Double4 v = loadLanes(values);
    const Double4 magnitude = (Double4)((Long4)v & INT64_MAX);
    if (signBits(~(magnitude < 1024.0)) != 0) {
        return false;
    }
    const double shifter = binary64::roundingShifter;
    const Double4 y = magnitude * tenToTheTen;
    const Double4 units = (y + shifter) - shifter;
    const Double4 off = (Double4)((Long4)(y - units) & INT64_MAX);
    four.undecided = signBits(off > undecidedFrom);
    const Double4 whole = ((units * 1e-10 - justBelowHalf) + shifter) - shifter;
    const Double4 decimals = units - whole * tenToTheTen;
    const Double4 first = ((decimals * 1e-8 - justBelowHalf) + shifter) - shifter;
    const Double4 last = decimals - first * 1e8;
    // A negative number's prefix comes after the positive ones.
    const Int4 negative = __builtin_convertvector((Long4)v >> 63, Int4) & decimal::directWholes;
    four.heads = (__m128i)(__builtin_convertvector(whole, Int4) + negative);
    four.firstTwo = (__m128i) __builtin_convertvector(first, Int4);
    four.lastEight = (__m128i) __builtin_convertvector(last, Int4);
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

// Eight decimal digits of four numbers below 10^8, one in each 32-bit lane:
// digits[0] holds the first two numbers' 16 ASCII digits, digits[1] the
// others'. Each number is split into two halves of four digits, each half
// into two pairs, each pair into two digits, by multiplications that stay
// within their 16-bit lanes (the quotients by 10^4, 100 and 10 are exact
// for these ranges).
XSIN_ALWAYS void eightDigits(__m128i value, __m128i digits[2]) {
    // One multiplication each by 100 and by 10 (the compiler would spell
    // them as several shifts and additions).
    __m128i hundred = _mm_set1_epi16(100);
    __m128i ten = _mm_set1_epi16(10);
    __asm__("" : "+x"(hundred), "+x"(ten));
    const __m128i byTenThousand = _mm_set1_epi32(static_cast<int>(0xd1b71759u));  // ceil(2^45 / 10^4)
    const __m128i evenQuotients = _mm_srli_epi64(_mm_mul_epu32(value, byTenThousand), 45);
    const __m128i oddQuotients = _mm_srli_epi64(_mm_mul_epu32(_mm_srli_epi64(value, 32), byTenThousand), 45);
    const __m128i upper = _mm_or_si128(evenQuotients, _mm_slli_epi64(oddQuotients, 32));
    const __m128i lower = _mm_sub_epi32(value, _mm_madd_epi16(upper, _mm_set1_epi32(10000)));
    // 16-bit lanes: upper0, lower0, upper1, lower1, ...
    const __m128i fours = _mm_or_si128(upper, _mm_slli_epi32(lower, 16));
    const __m128i hundreds = _mm_srli_epi16(_mm_mulhi_epu16(fours, _mm_set1_epi16(0x147b)), 3);  // (x * 5243) >> 19
    const __m128i ones = _mm_sub_epi16(fours, _mm_mullo_epi16(hundreds, hundred));
    const __m128i pairs[2] = {_mm_unpacklo_epi16(hundreds, ones), _mm_unpackhi_epi16(hundreds, ones)};
    for (int half = 0; half < 2; ++half) {
        const __m128i tens = _mm_mulhi_epu16(pairs[half], _mm_set1_epi16(6554));  // (x * 6554) >> 16
        const __m128i units = _mm_sub_epi16(pairs[half], _mm_mullo_epi16(tens, ten));
        digits[half] = _mm_or_si128(_mm_or_si128(tens, _mm_slli_epi16(units, 8)), _mm_set1_epi8('0'));
    }
}

// The fields of four numbers of a column taken apart, at at, at + stride,
// at + 2 stride and at + 3 stride, each followed by its separator and the
// blank that starts the next field, one character beyond. Four stores a
// field, from tables and the digits.
XSIN_ALWAYS void putFour(char* at, std::size_t stride, const Four& four, char separator) {
    alignas(16) std::int32_t heads[4];
    alignas(16) std::int32_t firstTwo[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(heads), four.heads);
    _mm_store_si128(reinterpret_cast<__m128i*>(firstTwo), four.firstTwo);
    __m128i digits[2];
    eightDigits(four.lastEight, digits);
    const char after[2] = {separator, ' '};
    for (std::size_t lane = 0; lane < 4; ++lane) {
        char* field = at + stride * lane;
        std::memcpy(field + 1, decimal::prefixes.of[heads[lane]].text, 8);
        std::memcpy(field + 9, pointAndPairs.of[firstTwo[lane]].text, 4);
        std::memcpy(field + 20, after, 2);
    }
    // Eight-byte stores that need no alignment: the fields lie anywhere.
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 12), digits[0]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + stride + 12), _mm_unpackhi_epi64(digits[0], digits[0]));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 2 * stride + 12), digits[1]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 3 * stride + 12), _mm_unpackhi_epi64(digits[1], digits[1]));
}

// The fields of groups of four numbers, as fieldsSse2 and fieldsAvx2
// (output/table_lines_x86_entries.h) write them.
template <int (*signBits)(Long4)>
XSIN_ALWAYS int fields(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
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

#undef XSIN_ALWAYS

}  // namespace
}  // namespace xsin::lines
