#include "output/table_lines.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "output/decimal.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace xsin {

namespace {

// After the number in `column` of lines of `columns`: a blank, or the end of
// the line.
inline char separator(std::size_t column, std::size_t columns) {
    return column + 1 == columns ? '\n' : ' ';
}

// Line after line, each number as tableDecimal writes it.
char* scalarLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    for (std::size_t i = 0; i < lines; ++i) {
        for (std::size_t c = 0; c < columnCount; ++c) {
            at = tableDecimal(at, columns[c][i]);
            *at++ = separator(c, columnCount);
        }
    }
    return at;
}

// Those lines when every number takes 20 characters; nullptr otherwise.
char* directScalarLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    for (std::size_t c = 0; c < columnCount; ++c) {
        for (std::size_t i = 0; i < lines; ++i) {
            if (!(std::fabs(columns[c][i]) < 1024.0)) {  // false for NaN
                return nullptr;
            }
        }
    }
    return scalarLines(at, columns, columnCount, lines);
}

#if defined(__x86_64__)

// "." and the first two decimals, for one four-byte store whose last byte
// the next store overwrites.
struct PointAndPair {
    char text[4];
};

constexpr std::array<PointAndPair, 100> makePointAndPairs() {
    std::array<PointAndPair, 100> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {{'.', static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10), '0'}};
    }
    return table;
}

constexpr std::array<PointAndPair, 100> pointAndPairs = makePointAndPairs();

// Four numbers below 1024 in magnitude, taken apart in the lanes of vectors.
// In units of 1e-10 the magnitude is m*2^-k * 10^10, which y = RN(|v| *
// 10^10) gives to within half an ulp of y, at most 2^-10 (y < 2^44):
// rounded to an integer, y gives that of the exact value unless it lies
// within 2^-8 of a half. Those few numbers are converted again, by the
// exact scalar way. The integer, below 2^44, is split by divisions that the
// arithmetic of doubles makes exact: q = floor(x/unit) for an integer x
// below 2^53 and x/unit below 1100 is the nearest integer to RN(x * (1/unit))
// - (1/2 - 2^-38), because RN(x * (1/unit)) lies within 2^-40 of x/unit,
// whose fraction is a multiple of 1/unit >= 1e-10; and x - q*unit is exact.
struct Four {
    __m128i heads;      // the places of the sign and integer part in decimal::prefixes
    __m128i firstTwo;   // the first two decimals, 0 to 99
    __m128i lastEight;  // the last eight, below 10^8
    int undecided;      // the lanes to convert again, a bit a lane
};

// The place in decimal::prefixes of a negative number's prefix, past the
// positive ones, from the sign bits of two numbers in 64-bit lanes: their
// upper halves, shifted, in the two lower 32-bit lanes.
inline __m128i negativeOffsets(__m128d v) {
    const __m128i upper = _mm_shuffle_epi32(_mm_castpd_si128(v), _MM_SHUFFLE(3, 3, 3, 1));
    return _mm_and_si128(_mm_srai_epi32(upper, 31), _mm_set1_epi32(decimal::directWholes));
}

constexpr double tenToTheTen = 1e10;
constexpr double shifter = 0x1.8p52;  // x + 1.5 * 2^52 - 1.5 * 2^52 is x rounded to an integer, |x| < 2^51
constexpr double justBelowHalf = 0.5 - 0x1p-38;
constexpr double undecidedFrom = 0.5 - 0x1p-8;

// The four lanes of values; false when one is not below 1024 (or NaN).
[[gnu::target("avx2")]] inline bool takeApartAvx2(const double* values, Four& four) {
    const __m256d v = _mm256_loadu_pd(values);
    const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), v);
    if (_mm256_movemask_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(1024.0), _CMP_NLT_UQ)) != 0) {
        return false;
    }
    const __m256d round = _mm256_set1_pd(shifter);
    const __m256d y = _mm256_mul_pd(magnitude, _mm256_set1_pd(tenToTheTen));
    const __m256d units = _mm256_sub_pd(_mm256_add_pd(y, round), round);
    const __m256d off = _mm256_andnot_pd(_mm256_set1_pd(-0.0), _mm256_sub_pd(y, units));
    four.undecided = _mm256_movemask_pd(_mm256_cmp_pd(off, _mm256_set1_pd(undecidedFrom), _CMP_GT_OQ));
    const __m256d below = _mm256_set1_pd(justBelowHalf);
    const __m256d whole = _mm256_sub_pd(
        _mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(units, _mm256_set1_pd(1e-10)), below), round), round);
    const __m256d decimals = _mm256_sub_pd(units, _mm256_mul_pd(whole, _mm256_set1_pd(tenToTheTen)));
    const __m256d first = _mm256_sub_pd(
        _mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(decimals, _mm256_set1_pd(1e-8)), below), round), round);
    const __m256d last = _mm256_sub_pd(decimals, _mm256_mul_pd(first, _mm256_set1_pd(1e8)));
    const __m128i negative = _mm_unpacklo_epi64(negativeOffsets(_mm256_castpd256_pd128(v)),
                                                negativeOffsets(_mm256_extractf128_pd(v, 1)));
    four.heads = _mm_add_epi32(_mm256_cvttpd_epi32(whole), negative);
    four.firstTwo = _mm256_cvttpd_epi32(first);
    four.lastEight = _mm256_cvttpd_epi32(last);
    return true;
}

// The same in two halves of SSE2.
inline bool takeApartSse2(const double* values, Four& four) {
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d round = _mm_set1_pd(shifter);
    const __m128d below = _mm_set1_pd(justBelowHalf);
    __m128i heads[2];
    __m128i firstTwo[2];
    __m128i lastEight[2];
    four.undecided = 0;
    for (int half = 0; half < 2; ++half) {
        const __m128d v = _mm_loadu_pd(values + 2 * half);
        const __m128d magnitude = _mm_andnot_pd(sign, v);
        if (_mm_movemask_pd(_mm_cmpnlt_pd(magnitude, _mm_set1_pd(1024.0))) != 0) {
            return false;
        }
        const __m128d y = _mm_mul_pd(magnitude, _mm_set1_pd(tenToTheTen));
        const __m128d units = _mm_sub_pd(_mm_add_pd(y, round), round);
        const __m128d off = _mm_andnot_pd(sign, _mm_sub_pd(y, units));
        four.undecided |= _mm_movemask_pd(_mm_cmpgt_pd(off, _mm_set1_pd(undecidedFrom))) << (2 * half);
        const __m128d whole =
            _mm_sub_pd(_mm_add_pd(_mm_sub_pd(_mm_mul_pd(units, _mm_set1_pd(1e-10)), below), round), round);
        const __m128d decimals = _mm_sub_pd(units, _mm_mul_pd(whole, _mm_set1_pd(tenToTheTen)));
        const __m128d first =
            _mm_sub_pd(_mm_add_pd(_mm_sub_pd(_mm_mul_pd(decimals, _mm_set1_pd(1e-8)), below), round), round);
        const __m128d last = _mm_sub_pd(decimals, _mm_mul_pd(first, _mm_set1_pd(1e8)));
        heads[half] = _mm_add_epi32(_mm_cvttpd_epi32(whole), negativeOffsets(v));
        firstTwo[half] = _mm_cvttpd_epi32(first);
        lastEight[half] = _mm_cvttpd_epi32(last);
    }
    four.heads = _mm_unpacklo_epi64(heads[0], heads[1]);
    four.firstTwo = _mm_unpacklo_epi64(firstTwo[0], firstTwo[1]);
    four.lastEight = _mm_unpacklo_epi64(lastEight[0], lastEight[1]);
    return true;
}

// Eight decimal digits of four numbers below 10^8, one in each 32-bit lane:
// digits[0] holds the first two numbers' 16 ASCII digits, digits[1] the
// others'. Each number is split into two halves of four digits, each half
// into two pairs, each pair into two digits, by multiplications that stay
// within their 16-bit lanes (the quotients by 10^4, 100 and 10 are exact
// for these ranges).
inline void eightDigits(__m128i value, __m128i digits[2]) {
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
template <std::size_t stride>
[[gnu::always_inline]] inline void putFour(char* at, const Four& four, char separator) {
    alignas(16) std::int32_t heads[4];
    alignas(16) std::int32_t firstTwo[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(heads), four.heads);
    _mm_store_si128(reinterpret_cast<__m128i*>(firstTwo), four.firstTwo);
    __m128i digits[2];
    eightDigits(four.lastEight, digits);
    const char after[2] = {separator, ' '};
    for (std::size_t lane = 0; lane < 4; ++lane) {
        char* field = at + stride * lane;
        std::memcpy(field + 1, decimal::prefixes[static_cast<std::size_t>(heads[lane])].text, 8);
        std::memcpy(field + 9, pointAndPairs[static_cast<std::size_t>(firstTwo[lane])].text, 4);
        std::memcpy(field + 20, after, 2);
    }
    // Eight-byte stores that need no alignment: the fields lie anywhere.
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 12), digits[0]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + stride + 12), _mm_unpackhi_epi64(digits[0], digits[0]));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 2 * stride + 12), digits[1]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 3 * stride + 12), _mm_unpackhi_epi64(digits[1], digits[1]));
}

// Every number's field, a column at a time, four lines at a time, each
// field starting with the blank the one before it wrote; nullptr when a
// number is wider than its 20 characters. The undecided numbers are
// converted again after each batch of 64 groups of four: no call within a
// batch, so that its constants stay in registers.
template <std::size_t columnCount, bool (*takeApart)(const double*, Four&)>
[[gnu::always_inline]] inline char* vectorLines(char* at, const double* const* columns, std::size_t lines) {
    constexpr std::size_t width = 21 * columnCount;  // a line
    at[0] = ' ';
    for (std::size_t c = 0; c < columnCount; ++c) {
        const double* values = columns[c];
        char* const base = at + 21 * c;
        const char after = separator(c, columnCount);
        std::size_t i = 0;
        while (i + 4 <= lines) {
            constexpr std::size_t batch = 64;
            const std::size_t groups = (lines - i) / 4 < batch ? (lines - i) / 4 : batch;
            int undecided[batch];
            for (std::size_t group = 0; group < groups; ++group) {
                const std::size_t first = i + 4 * group;
                Four four;
                if (!takeApart(values + first, four)) {
                    return nullptr;
                }
                putFour<width>(base + width * first, four, after);
                undecided[group] = four.undecided;
            }
            for (std::size_t group = 0; group < groups; ++group) {
                for (std::size_t lane = 0; undecided[group] != 0 && lane < 4; ++lane) {  // a rare few
                    if (((undecided[group] >> lane) & 1) != 0) {
                        const std::size_t line = i + 4 * group + lane;
                        tableDecimal(base + width * line, values[line]);
                    }
                }
            }
            i += 4 * groups;
        }
        for (; i < lines; ++i) {
            if (!(std::fabs(values[i]) < 1024.0)) {
                return nullptr;
            }
            tableDecimal(base + width * i, values[i]);
            const char separatorAndBlank[2] = {after, ' '};
            std::memcpy(base + width * i + 20, separatorAndBlank, 2);
        }
    }
    return at + width * lines;
}

// With the number of columns known when the code is compiled, for the
// common ones.
template <bool (*takeApart)(const double*, Four&)>
[[gnu::always_inline]] inline char* vectorLines(char* at, const double* const* columns, std::size_t columnCount,
                                                std::size_t lines) {
    switch (columnCount) {
    case 1:
        return vectorLines<1, takeApart>(at, columns, lines);
    case 2:
        return vectorLines<2, takeApart>(at, columns, lines);
    case 3:
        return vectorLines<3, takeApart>(at, columns, lines);
    default:
        return directScalarLines(at, columns, columnCount, lines);
    }
}

char* sse2Lines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    return vectorLines<takeApartSse2>(at, columns, columnCount, lines);
}

[[gnu::target("avx2")]] char* avx2Lines(char* at, const double* const* columns, std::size_t columnCount,
                                        std::size_t lines) {
    return vectorLines<takeApartAvx2>(at, columns, columnCount, lines);
}

#endif

}  // namespace

bool available(LinesPath path) {
    switch (path) {
    case LinesPath::scalar:
        return true;
#if defined(__x86_64__)
    case LinesPath::sse2:
        return true;
    case LinesPath::avx2:
        return __builtin_cpu_supports("avx2");
#else
    case LinesPath::sse2:
    case LinesPath::avx2:
        break;
#endif
    }
    return false;
}

LinesPath fastestPath() {
    static const LinesPath fastest = available(LinesPath::avx2)   ? LinesPath::avx2
                                     : available(LinesPath::sse2) ? LinesPath::sse2
                                                                  : LinesPath::scalar;
    return fastest;
}

std::size_t mostLineChars(std::size_t numbers) {
    return numbers * (maxFixedWidth + 1);
}

char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines,
                       LinesPath path) {
    if (path == LinesPath::scalar || !available(path)) {
        return directScalarLines(at, columns, columnCount, lines);
    }
#if defined(__x86_64__)
    return path == LinesPath::avx2 ? avx2Lines(at, columns, columnCount, lines)
                                   : sse2Lines(at, columns, columnCount, lines);
#else
    return directScalarLines(at, columns, columnCount, lines);
#endif
}

char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    return directTableLines(at, columns, columnCount, lines, fastestPath());
}

char* tableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    return scalarLines(at, columns, columnCount, lines);
}

}  // namespace xsin
