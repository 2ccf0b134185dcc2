// Table fields four at a time in AVX2 lanes. Compiled for AVX2; nothing
// here but the entry point has external linkage.

#include "numerics/binary64.h"
#include "output/table_lines_x86.h"
#include "output/table_lines_x86_entries.h"

namespace xsin::lines {

namespace {

// The four lanes of values; false when one is not below 1024 (or NaN).
[[gnu::always_inline]] inline bool takeApart(const double* values, Four& four) {
    const __m256d v = _mm256_loadu_pd(values);
    const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), v);
    if (_mm256_movemask_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(1024.0), _CMP_NLT_UQ)) != 0) {
        return false;
    }
    const __m256d round = _mm256_set1_pd(binary64::roundingShifter);
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

}  // namespace

bool fieldsAvx2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
                unsigned char* undecided) {
    return fields<takeApart>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
