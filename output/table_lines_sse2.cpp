// Table fields four at a time in two halves of SSE2, which every x86-64
// CPU runs. Nothing here but the entry point has external linkage.

#include <cstring>

#include "output/table_lines_x86.h"
#include "output/table_lines_x86_entries.h"

namespace xsin::lines {

namespace {

// The sign bits of the four lanes, two halves at a time.
[[gnu::always_inline]] inline int signBits(Long4 mask) {
    __m128d halves[2];
    std::memcpy(halves, &mask, sizeof halves);
    return _mm_movemask_pd(halves[0]) | _mm_movemask_pd(halves[1]) << 2;
}

}  // namespace

int fieldsSse2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided) {
    return fields<signBits>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
