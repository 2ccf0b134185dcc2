#pragma once

#include <cstddef>

#include "output/output.h"
#include "output/table_lines.h"

namespace xsin {

// Writes table lines "%20.10lf %20.10lf ...\n" of Columns numbers each into
// the file's buffer, which goes out a block at a time. The numbers of a
// chunk of lines are gathered first and converted together (output/
// table_lines.h). The file stays the caller's to close.
template <std::size_t Columns>
class TableWriter {
public:
    explicit TableWriter(OutputFile& file) : out(file) {}
    ~TableWriter() { flush(); }
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // One line: the numbers, one blank between them.
    template <class... Numbers>
    void line(Numbers... numbers) {
        static_assert(sizeof...(numbers) == Columns, "a line has Columns numbers");
        ((pending[count++] = numbers), ...);
        if (count == chunk) {
            flush();
        }
    }

    // Converts and writes the lines gathered so far.
    void flush() {
        if (count == 0) {
            return;
        }
        char* start = out.room(directLineChars(count));
        char* end = directTableLines(start, pending, count, Columns);
        if (end == nullptr) {  // a number wider than 20 characters: never in the programs' tables
            start = out.room(mostLineChars(count));
            end = tableLines(start, pending, count, Columns);
        }
        out.advance(static_cast<std::size_t>(end - start));
        count = 0;
    }

private:
    // Lines of numbers below 1024 take 21 characters a number: a chunk of
    // 64 lines of two, 2688 characters.
    static constexpr std::size_t chunk = 64 * Columns;

    OutputFile& out;
    double pending[chunk];
    std::size_t count = 0;
};

}  // namespace xsin
