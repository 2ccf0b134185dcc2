// Table fields four at a time in AVX2 lanes. Compiled for AVX2; nothing
// here but the entry point has external linkage.

#include "binary64/lanes_avx2.h"
#include "output/table_lanes.h"
#include "output/table_lanes_entries.h"

namespace xsin::lines {

int fieldsAvx2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided) {
    return fields<avx2::signBits>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
