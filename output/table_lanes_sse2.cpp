// Table fields four at a time in two halves of SSE2, which every x86-64
// CPU runs. Nothing here but the entry point has external linkage.

#include "output/table_lanes.h"
#include "output/table_lanes_entries.h"

namespace xsin::lines {

int fieldsSse2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided) {
    return fields<sse2::signBits>(at, values, groups, stride, separator, undecided);
}

}  // namespace xsin::lines
