// gradient_timing written the straightforward way: the same three tables
// and timing lines, each line through fprintf. The baseline of the
// whole-process comparison in the README.

#include <chrono>
#include <cstdio>

#include "experiments/experiments.h"
#include "fprintf_table.h"
#include "numerics/numerics.h"

namespace {

void timed(const char* name, double (*derivative)(double)) {
    const auto start = std::chrono::steady_clock::now();
    fprintfTable(name, derivative);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::printf("Time Passed: %ld \n",
                static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
}

}  // namespace

int main() {
    timed(xsin::experiments::realGradientsFile, xsin::fp);
    timed(xsin::experiments::finiteGradientsFile, xsin::fpfinite);
    timed(xsin::experiments::autodiffGradientsFile, xsin::afDerivative);
}
