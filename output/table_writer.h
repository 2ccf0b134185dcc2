#pragma once

#include <cstddef>
#include <exception>

#include "output/output.h"
#include "output/table_lines.h"

namespace xsin {

// Writes table lines "%20.10lf %20.10lf ...\n" of Columns numbers each into
// the file's buffer, which goes out a block at a time. The numbers of a
// chunk of lines are converted together (output/table_lines.h): a line at a
// time, they are gathered first. The file stays the caller's to close.
template <std::size_t Columns>
class TableWriter {
public:
    explicit TableWriter(OutputFile& file) : out(file), exceptionsAtStart(std::uncaught_exceptions()) {}
    // The lines gathered go out, but not while an exception passes: the
    // table is then partial, and writing would allocate and write more.
    ~TableWriter() {
        if (std::uncaught_exceptions() == exceptionsAtStart) {
            flush();
        }
    }
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // One line: the numbers, one blank between them.
    template <class... Numbers>
    void line(Numbers... numbers) {
        static_assert(sizeof...(numbers) == Columns, "a line has Columns numbers");
        std::size_t column = 0;
        ((pending[column++][count] = numbers), ...);
        if (++count == chunk) {
            flush();
        }
    }

    // Many lines at once: the c-th number of line i is columns[c][i].
    void lines(const double* const (&columns)[Columns], std::size_t lineCount) {
        flush();
        for (std::size_t first = 0; first < lineCount; first += chunk) {
            const double* part[Columns];
            for (std::size_t c = 0; c < Columns; ++c) {
                part[c] = columns[c] + first;
            }
            write(part, lineCount - first < chunk ? lineCount - first : chunk);
        }
    }

    // Converts and writes the lines gathered so far.
    void flush() {
        if (count == 0) {
            return;
        }
        const double* columns[Columns];
        for (std::size_t c = 0; c < Columns; ++c) {
            columns[c] = pending[c];
        }
        write(columns, count);
        count = 0;
    }

private:
    // Lines of numbers below 1024 take 21 characters a number: a chunk of
    // 64 lines of two, 2688 characters.
    static constexpr std::size_t chunk = 64;

    void write(const double* const* columns, std::size_t lineCount) {
        char* start = out.room(directLineChars(lineCount * Columns));
        char* end = directTableLines(start, columns, Columns, lineCount);
        if (end == nullptr) {  // a number wider than 20 characters: never in the programs' tables
            start = out.room(mostLineChars(lineCount * Columns));
            end = tableLines(start, columns, Columns, lineCount);
        }
        out.advance(static_cast<std::size_t>(end - start));
    }

    OutputFile& out;
    int exceptionsAtStart;
    double pending[Columns][chunk];
    std::size_t count = 0;
};

}  // namespace xsin
