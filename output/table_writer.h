#pragma once

#include <cstddef>
#include <memory>

#include "output/decimal.h"
#include "output/output.h"

namespace xsin {

// Gathers table lines "%20.10lf %20.10lf ...\n" into blocks and writes each
// with one write(2): the file is unbuffered, so that stdio does not split a
// block into its own buffer's pieces. The file stays the caller's to close.
// The block lives on the heap: a program may run with a small stack
// (ulimit -s).
class TableWriter {
public:
    explicit TableWriter(OutputFile& file) : out(file), block(new char[blockSize]) { out.unbuffered(); }
    ~TableWriter() { flush(); }
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // One line: the numbers, one blank between them.
    template <class... More>
    void line(double first, More... more) {
        if (blockSize - used < (1 + sizeof...(more)) * (maxFixedWidth + 1)) {
            flush();
        }
        char* at = tableDecimal(block.get() + used, first);
        ((*at++ = ' ', at = tableDecimal(at, more)), ...);
        *at++ = '\n';
        used = static_cast<std::size_t>(at - block.get());
    }

    void flush() {
        if (used > 0) {
            put(out, block.get(), used);
            used = 0;
        }
    }

private:
    static constexpr std::size_t blockSize = 1 << 16;
    OutputFile& out;
    std::unique_ptr<char[]> block;
    std::size_t used = 0;
};

}  // namespace xsin
