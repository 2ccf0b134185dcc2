#pragma once

#include <cstddef>

// Table lines "%20.10lf %20.10lf ...\n" for many numbers at once. The
// numbers the tables print, below 1024 in magnitude, take 20 characters
// each, so that a chunk of lines has fixed places: there several numbers
// are converted at once, four at a time in the lanes of SSE2 (on every
// x86-64 CPU) or AVX2 (where the CPU has it, cpu/cpu.h). Any other
// number, and a number whose rounding the vector arithmetic cannot decide,
// goes through the exact scalar conversion (output/decimal.h). Every way
// gives the bytes of printf, on every target.

namespace xsin {

// The ways of converting, which the tests and benchmarks force one by one.
enum class LinesPath { scalar, sse2, avx2 };

// Whether this build and CPU can take the path.
bool available(LinesPath path);

// The path tableLines takes: the fastest available.
LinesPath fastestPath();

// The characters the lines of `numbers` numbers in all take when every one
// prints in 20 characters (one more is needed, and not kept), and at most.
constexpr std::size_t directLineChars(std::size_t numbers) {
    return 21 * numbers + 1;
}
std::size_t mostLineChars(std::size_t numbers);

// Writes `lines` lines of `columnCount` numbers each at `at`, the c-th
// number of line i being columns[c][i], and returns the end, when every
// number prints in 20 characters (below 1024 in magnitude); needs room for
// directLineChars(lines * columnCount) characters. Otherwise returns
// nullptr, and what it wrote there is not to be kept.
char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines);
char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines,
                       LinesPath path);

// The same for any numbers, one by one; needs room for mostLineChars(lines
// * columnCount).
char* tableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines);

}  // namespace xsin
