#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "binary64/always_inline.h"
#include "binary64/lanes.h"

// What code over lanes (binary64/lanes.h) needs of SSE2 that GCC's vector
// extensions do not say, for a file compiled for SSE2 (which every x86-64
// CPU runs) or AVX2 that includes it: internal to that file.

namespace xsin::sse2 {
namespace {

// The sign bits of four lanes as bits 0 to 3 (lane i: bit i): the lanes
// where a mask is set. Two halves at a time.
XSIN_ALWAYS_INLINE int signBits(Long4 lanes) {
    __m128d halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return _mm_movemask_pd(halves[0]) | _mm_movemask_pd(halves[1]) << 2;
}

// The upper 16 bits of each product a * b of 16-bit lanes, in one
// instruction: x * m >> 16 without forming the 32-bit product.
XSIN_ALWAYS_INLINE Short8 upperProducts(Short8 a, Short8 b) {
    return (Short8)_mm_mulhi_epu16((__m128i)a, (__m128i)b);
}

// c in every 16-bit lane, hidden from the compiler, so that a product by it
// stays one multiplication instead of the shifts and additions the compiler
// would spell a constant's product as.
XSIN_ALWAYS_INLINE Short8 hidden(std::uint16_t c) {
    Short8 lanes = Short8{} + c;
    __asm__("" : "+x"(lanes));
    return lanes;
}

}  // namespace
}  // namespace xsin::sse2
