#pragma once

#include <immintrin.h>

#include "binary64/always_inline.h"
#include "binary64/lanes.h"

// What code over lanes (binary64/lanes.h) needs of AVX2 that GCC's vector
// extensions do not say, for a file compiled for AVX2 that includes it:
// internal to that file, whose code runs only on a CPU that has AVX2
// (cpu/cpu.h).

namespace xsin::avx2 {
namespace {

// The sign bits of four lanes as bits 0 to 3 (lane i: bit i): the lanes
// where a mask is set.
XSIN_ALWAYS_INLINE int signBits(Long4 lanes) {
    return _mm256_movemask_pd((__m256d)lanes);
}

// Four doubles at values, taken in two halves of 128 bits, as doubles: the
// correctly rounded functions' lanes run faster from this than from one
// load of 256 bits, which the compiler takes as integers for the masks
// that come first.
XSIN_ALWAYS_INLINE Double4 loadLanes(const double* values) {
    return (Double4)_mm256_loadu2_m128d(values + 2, values);
}

}  // namespace
}  // namespace xsin::avx2
