#pragma once

#include <cstddef>

// The fields of table numbers four at a time in x86 vector lanes, one entry
// point per instruction set (output/table_lanes_sse2.cpp, output/table_
// lanes_avx2.cpp; AVX2's only for a CPU that runs it, cpu/cpu.h).
//
// Each writes the fields of values[0 .. 4 groups) of one column, number i's
// at at + i stride: the 20 characters of "%20.10lf" from its second on (the
// first, a blank, is the separator before it), then the separator and the
// blank that starts the next field. For a number whose rounding the lanes
// cannot decide it sets bit j of undecided[g] (number 4g + j), whose field
// must be written again exactly. Returns the undecided bits of all groups
// or-ed, 0 when none is, or -1, with nothing to keep, when a number is not
// below 1024 in magnitude.

namespace xsin::lines {

int fieldsSse2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided);
int fieldsAvx2(char* at, const double* values, std::size_t groups, std::size_t stride, char separator,
               unsigned char* undecided);

}  // namespace xsin::lines
