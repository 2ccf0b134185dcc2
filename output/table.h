#pragma once

#include <cstddef>
#include <memory>

#include "output/output.h"

// Tables of numbers in the text printf("%20.10lf") gives, converted exactly
// in integer arithmetic and written in large blocks.

namespace xsin {

// The most characters fixedDecimal writes: a sign, 309 digits of DBL_MAX,
// the point and ten decimals.
constexpr std::size_t maxFixedWidth = 1 + 309 + 1 + 10;

// Writes value at `at` as printf("%.10f") would in the C locale, right-
// aligned in a field of `width` characters (wider when it needs more), and
// returns the end. The same digits: the exact binary value rounded to ten
// decimals, half to even on an exact tie; the sign of a negative value
// that rounds to zero, and of -0, is kept ("-0.0000000000"). Needs room
// for max(width, maxFixedWidth) characters.
char* fixedDecimal(char* at, double value, std::size_t width = 20);

// Gathers table lines "%20.10lf %20.10lf ...\n" into blocks and writes each
// with one fwrite. The file stays the caller's to close. The block lives on
// the heap: a program may run with a small stack (ulimit -s).
class TableWriter {
public:
    explicit TableWriter(OutputFile& file) : out(file), block(new char[blockSize]) {}
    ~TableWriter() { flush(); }
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    void line(double first, double second);
    void line(double first, double second, double third);
    void flush();

private:
    char* room(std::size_t numbers);

    static constexpr std::size_t blockSize = 1 << 16;
    OutputFile& out;
    std::unique_ptr<char[]> block;
    std::size_t used = 0;
};

}  // namespace xsin
