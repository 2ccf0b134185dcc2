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

}  // namespace
}  // namespace xsin::avx2
