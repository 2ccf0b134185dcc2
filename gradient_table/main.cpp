#include "experiments/experiments.h"
#include "gradient_table/gradient_table.h"
#include "output/output.h"
#include "program/program.h"

namespace {

using namespace xsin;
constexpr auto walk = experiments::sideBySideTable;

void describe(OutputFile& out) {
    out.print(
        "Write the closed-form and forward-difference (h = %g) derivatives of\n"
        "f(x) = x*sin(x^2) side by side over [%g, %g] in %d steps.\n"
        "\nWrites, in the working directory, replacing a file of this name:\n"
        "  %-13s x, the closed form, the forward difference\n",
        experiments::finiteStep, walk.lo, walk.hi, walk.steps, experiments::gradientFile);
}

// The closed-form and finite-difference derivatives of f side by side.
void sideBySide() {
    printGradients(walk.lo, walk.hi);
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"gradient_table", describe, sideBySide}, argc, argv);
}
