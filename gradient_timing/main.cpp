#include "experiments/experiments.h"
#include "gradient_timing/gradient_timing.h"
#include "output/output.h"
#include "program/program.h"

namespace {

using namespace xsin;
constexpr auto walk = experiments::timedTables;

void describe(OutputFile& out) {
    out.print(
        "Tabulate the derivative of f(x) = x*sin(x^2) over [%g, %g] in %d steps\n"
        "three times, by the closed form, by a forward difference (h = %g) and by\n"
        "forward-mode automatic differentiation, and print how many microseconds each\n"
        "pass took.\n"
        "\nWrites, in the working directory, replacing files of these names, each\n"
        "with x and the derivative:\n"
        "  %-22s the closed form\n  %-22s the forward difference\n  %-22s automatic differentiation\n",
        walk.lo, walk.hi, walk.steps, experiments::finiteStep, experiments::realGradientsFile,
        experiments::finiteGradientsFile, experiments::autodiffGradientsFile);
}

// Times the three derivative evaluators of f over the same walk, each pass
// under the same load of formatting and file output.
void timeThreeEvaluators() {
    printRealGradients(walk.steps, walk.lo, walk.hi);
    printFiniteGradients(walk.steps, walk.lo, walk.hi);
    printAutodiffGradients(walk.steps, walk.lo, walk.hi);
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"gradient_timing", describe, timeThreeEvaluators}, argc, argv);
}
