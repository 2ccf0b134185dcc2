#include "experiments/experiments.h"
#include "gradient_timing/gradient_timing.h"
#include "output/output.h"
#include "program/program.h"

// Times the three derivative evaluators of f over the same walk, each pass
// under the same load of formatting and file output.
int main() {
    return xsin::runProgram("gradient_timing", [] {
        constexpr auto walk = xsin::experiments::timedTables;
        xsin::printRealGradients(walk.steps, walk.lo, walk.hi);
        xsin::printFiniteGradients(walk.steps, walk.lo, walk.hi);
        xsin::printAutodiffGradients(walk.steps, walk.lo, walk.hi);
    });
}
