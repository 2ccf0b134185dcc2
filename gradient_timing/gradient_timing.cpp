#include "gradient_timing/gradient_timing.h"

#include <chrono>
#include <cinttypes>
#include <cstdint>

#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/output.h"
#include "output/table_writer.h"

namespace xsin {

namespace {

// A monotonic clock: the wall clock may be stepped (by NTP or by hand)
// during a pass, which would make its time negative or wrong.
std::int64_t nowNanoseconds() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

// The timed span covers opening, filling and closing the file, not the
// message itself.
template <class Derivative>
void printTimedTable(const char* name, int n, double lo, double hi, Derivative derivative) {
    const std::int64_t start = nowNanoseconds();
    OutputFile table(name);
    if (!table.isOpen()) {
        return;
    }
    {
        TableWriter lines(table);
        walkAbscissa(lo, hi, static_cast<double>(n), [&](double x) { lines.line(x, derivative(x)); });
    }
    table.close();
    const std::int64_t end = nowNanoseconds();
    // Integer division truncates toward zero: whole microseconds, a signed
    // 64-bit number on every target (long has 32 bits on some).
    print(standardOutput(), "Time Passed: %" PRId64 " \n", (end - start) / 1000);
}

}  // namespace

void printRealGradients(int n, double lo, double hi) {
    printTimedTable(experiments::realGradientsFile, n, lo, hi, fp);
}

void printFiniteGradients(int n, double lo, double hi) {
    printTimedTable(experiments::finiteGradientsFile, n, lo, hi, fpfinite);
}

void printAutodiffGradients(int n, double lo, double hi) {
    printTimedTable(experiments::autodiffGradientsFile, n, lo, hi, afDerivative);
}

}  // namespace xsin
