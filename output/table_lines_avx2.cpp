// Table fields four at a time in AVX2 lanes. Compiled for AVX2; nothing
// here but the entry point has external linkage.

#include "output/table_lines_x86.h"
#include "output/table_lines_x86_entries.h"

namespace xsin::lines {

namespace {

// The sign bits of the four lanes.
[[gnu::always_inline]] inline int signBits(Long4 mask) {
    return _mm256_movemask_pd((__m256d)mask);
}

}  // namespace

int fieldsAvx2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided) {
    return fields<signBits>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
