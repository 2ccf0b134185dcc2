#include "gradient_timing/gradient_timing.h"

#include <time.h>

#include <cerrno>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "diagnostics/diagnostics.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/output.h"
#include "output/table_writer.h"

namespace xsin {

namespace {

// The monotonic clock in nanoseconds: the wall clock may be stepped (by NTP
// or by hand) during a pass, which would make its time negative or wrong.
// A clock that cannot be read is reported, and false returned.
bool readClock(std::int64_t& nanoseconds) {
    timespec now;
    if (::clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
        reportFailure("cannot read the clock: %s", std::strerror(errno));
        return false;
    }
    nanoseconds = static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return true;
}

// The timed span covers opening, filling and closing the file, not the
// message itself. Without a clock the table is written all the same, and
// no time is made up for it. The abscissas of a chunk of lines come first,
// then their derivatives, all at once.
void printTimedTable(const char* name, int n, double lo, double hi,
                     void (*derivatives)(const double* xs, double* values, std::size_t count)) {
    std::int64_t start = 0;
    const bool started = readClock(start);
    OutputFile table(name);
    if (!table.isOpen()) {
        return;
    }
    {
        TableWriter<2> lines(table);
        constexpr std::size_t chunk = 64;
        walkAbscissaInChunks<chunk>(lo, hi, static_cast<double>(n), [&](const double* xs, std::size_t count) {
            double values[chunk];
            derivatives(xs, values, count);
            lines.lines({xs, values}, count);
        });
    }
    table.close();
    std::int64_t end = 0;
    if (started && readClock(end)) {
        // Integer division truncates toward zero: whole microseconds, a
        // signed 64-bit number on every target (long has 32 bits on some).
        standardOutput().print("Time Passed: %" PRId64 " \n", (end - start) / 1000);
    }
}

}  // namespace

void printRealGradients(int n, double lo, double hi) {
    printTimedTable(experiments::realGradientsFile, n, lo, hi, fpBatch);
}

void printFiniteGradients(int n, double lo, double hi) {
    printTimedTable(experiments::finiteGradientsFile, n, lo, hi, fpfiniteBatch);
}

void printAutodiffGradients(int n, double lo, double hi) {
    printTimedTable(experiments::autodiffGradientsFile, n, lo, hi, afDerivativeBatch);
}

}  // namespace xsin
