#pragma once

#include <cstdint>
#include <cstring>

#include "binary64/always_inline.h"
#include "binary64/binary64.h"

// Four doubles side by side in the lanes of a vector (GCC's and clang's
// vector extensions, AVX's registers in code compiled for it): every
// operation acts on each lane on its own, rounded as a double's is, so that
// code written over doubles computes the same bits over lanes. The
// correctly rounded functions evaluate four arguments at once in them, and
// the table lines convert four numbers at once.

namespace xsin {

typedef double Double4 __attribute__((vector_size(32)));
typedef std::int64_t Long4 __attribute__((vector_size(32)));
// Narrower integers in lanes of 128 bits: four of 32 bits (signed and not)
// and eight of 16, in which the table lines take numbers apart into digits.
typedef std::int32_t Int4 __attribute__((vector_size(16)));
typedef std::uint32_t UInt4 __attribute__((vector_size(16)));
typedef std::uint16_t Short8 __attribute__((vector_size(16)));
typedef std::uint64_t Word2 __attribute__((vector_size(16)));

XSIN_ALWAYS_INLINE Double4 loadLanes(const double* values) {
    Double4 lanes;
    std::memcpy(&lanes, values, sizeof lanes);
    return lanes;
}

XSIN_ALWAYS_INLINE void storeLanes(double* values, Double4 lanes) {
    std::memcpy(values, &lanes, sizeof lanes);
}

namespace binary64 {

// The bits of each lane as an integer, and back.
XSIN_ALWAYS_INLINE Long4 bits(Double4 x) {
    return (Long4)x;
}

XSIN_ALWAYS_INLINE Double4 fromBits(Long4 b) {
    return (Double4)b;
}

}  // namespace binary64

}  // namespace xsin
