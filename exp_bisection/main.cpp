#include "exp_bisection/exp_bisection.h"
#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"

namespace {

using namespace xsin;
constexpr auto bracket = experiments::expBracket;

void describe(OutputFile& out) {
    out.print(
        "Bracket the zero of e^x + x - 5 in [%g, %g] by midpoints, and print after\n"
        "each narrowing the bracket and f at its midpoint: a, b, f((a + b)/2).\n"
        "\nWrites no file.\n",
        bracket.a, bracket.b);
}

// Brackets the zero of e^x + x - 5; the trace is the output, the root
// itself is not printed.
void bisect() {
    int found = 0;
    expbisection::getRoot(bracket.a, bracket.b, found);
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"exp_bisection", describe, bisect}, argc, argv);
}
