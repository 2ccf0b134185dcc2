// Table fields four at a time in two halves of SSE2, which every x86-64
// CPU runs. Nothing here but the entry point has external linkage.

#include "numerics/binary64.h"
#include "output/table_lines_x86.h"
#include "output/table_lines_x86_entries.h"

namespace xsin::lines {

namespace {

// Four numbers in two halves; false when one is not below 1024 (or NaN).
[[gnu::always_inline]] inline bool takeApart(const double* values, Four& four) {
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d round = _mm_set1_pd(binary64::roundingShifter);
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

}  // namespace

bool fieldsSse2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
                unsigned char* undecided) {
    return fields<takeApart>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
