#include "output/table_lines.h"

#include <cmath>
#include <cstring>

#include "cpu/cpu.h"
#include "output/decimal.h"
#include "output/table_lanes_constants.h"

#if defined(__x86_64__)
#include "output/table_lanes_entries.h"
#endif

namespace xsin {

namespace {

// After the number in `column` of lines of `columns`: a blank, or the end of
// the line.
inline char separator(std::size_t column, std::size_t columns) {
    return column + 1 == columns ? '\n' : ' ';
}

// Line after line, each number as tableDecimal writes it.
char* scalarLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    for (std::size_t i = 0; i < lines; ++i) {
        for (std::size_t c = 0; c < columnCount; ++c) {
            at = tableDecimal(at, columns[c][i]);
            *at++ = separator(c, columnCount);
        }
    }
    return at;
}

// Those lines when every number takes 20 characters; nullptr otherwise.
char* directScalarLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    for (std::size_t c = 0; c < columnCount; ++c) {
        for (std::size_t i = 0; i < lines; ++i) {
            if (!(std::fabs(columns[c][i]) < lines::constants::directLimit)) {  // false for NaN
                return nullptr;
            }
        }
    }
    return scalarLines(at, columns, columnCount, lines);
}

#if defined(__x86_64__)

// Every number's field, a column at a time, four lines at a time in vector
// lanes by fields (output/table_lanes_entries.h), each field starting
// with the blank the one before it wrote; nullptr when a number is wider
// than its 20 characters. The numbers the lanes leave undecided are
// converted again after each batch of 64 groups of four.
char* vectorLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines,
                  int (*fields)(char*, const double*, std::size_t, std::size_t, char, unsigned char*)) {
    const std::size_t width = 21 * columnCount;  // a line
    at[0] = ' ';
    for (std::size_t c = 0; c < columnCount; ++c) {
        const double* values = columns[c];
        char* const base = at + 21 * c;
        const char after = separator(c, columnCount);
        std::size_t i = 0;
        while (i + 4 <= lines) {
            constexpr std::size_t batch = 64;
            const std::size_t groups = (lines - i) / 4 < batch ? (lines - i) / 4 : batch;
            unsigned char undecided[batch];
            const int any = fields(base + width * i, values + i, groups, width, after, undecided);
            if (any < 0) {
                return nullptr;
            }
            for (std::size_t group = 0; any != 0 && group < groups; ++group) {
                for (std::size_t lane = 0; undecided[group] != 0 && lane < 4; ++lane) {  // a rare few
                    if (((undecided[group] >> lane) & 1) != 0) {
                        const std::size_t line = i + 4 * group + lane;
                        tableDecimal(base + width * line, values[line]);
                    }
                }
            }
            i += 4 * groups;
        }
        for (; i < lines; ++i) {
            if (!(std::fabs(values[i]) < lines::constants::directLimit)) {
                return nullptr;
            }
            tableDecimal(base + width * i, values[i]);
            const char separatorAndBlank[2] = {after, ' '};
            std::memcpy(base + width * i + 20, separatorAndBlank, 2);
        }
    }
    return at + width * lines;
}

#endif

}  // namespace

bool available(LinesPath path) {
    switch (path) {
    case LinesPath::scalar:
        return true;
#if defined(__x86_64__)
    case LinesPath::sse2:
        return cpu::runs(cpu::InstructionSet::sse2);
    case LinesPath::avx2:
        return cpu::runs(cpu::InstructionSet::avx2);
#else
    case LinesPath::sse2:
    case LinesPath::avx2:
        break;
#endif
    }
    return false;
}

LinesPath fastestPath() {
    static const LinesPath fastest = available(LinesPath::avx2)   ? LinesPath::avx2
                                     : available(LinesPath::sse2) ? LinesPath::sse2
                                                                  : LinesPath::scalar;
    return fastest;
}

std::size_t mostLineChars(std::size_t numbers) {
    return numbers * (maxFixedWidth + 1);
}

char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines,
                       LinesPath path) {
    if (path == LinesPath::scalar || !available(path)) {
        return directScalarLines(at, columns, columnCount, lines);
    }
#if defined(__x86_64__)
    return vectorLines(at, columns, columnCount, lines,
                       path == LinesPath::avx2 ? lines::fieldsAvx2 : lines::fieldsSse2);
#else
    return directScalarLines(at, columns, columnCount, lines);
#endif
}

char* directTableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    return directTableLines(at, columns, columnCount, lines, fastestPath());
}

char* tableLines(char* at, const double* const* columns, std::size_t columnCount, std::size_t lines) {
    return scalarLines(at, columns, columnCount, lines);
}

}  // namespace xsin
