#pragma once

#include <cstddef>

#include "output/decimal.h"
#include "output/output.h"

namespace xsin {

// Writes table lines "%20.10lf %20.10lf ...\n" straight into the file's
// buffer, which goes out a block at a time. The file stays the caller's to
// close.
class TableWriter {
public:
    explicit TableWriter(OutputFile& file) : out(file) {}

    // One line: the numbers, one blank between them.
    template <class... More>
    void line(double first, More... more) {
        char* const start = out.room((1 + sizeof...(more)) * (maxFixedWidth + 1));
        char* at = tableDecimal(start, first);
        ((*at++ = ' ', at = tableDecimal(at, more)), ...);
        *at++ = '\n';
        out.advance(static_cast<std::size_t>(at - start));
    }

private:
    OutputFile& out;
};

}  // namespace xsin
