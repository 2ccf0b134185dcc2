#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"
#include "roots/roots.h"

namespace {

using namespace xsin;
constexpr auto bracket = experiments::sinSquareBracket;

void describe(OutputFile& out) {
    out.print(
        "Search for a zero of f(x) = x*sin(x^2) by midpoint bracketing of [%g, %g]\n"
        "and by Newton's method from %g, trace both and print both roots as\n"
        "\"Roots: <bracketing> <Newton>\".\n"
        "\nWrites, in the working directory, replacing files of these names:\n"
        "  %-12s the midpoint search: a, b, f(t) per trial point t\n"
        "  %-12s Newton's method: x, f(x) per step\n",
        bracket.a, bracket.b, experiments::newtonStart, experiments::bolzanoTrace, experiments::newtonTrace);
}

// Midpoint bracketing against Newton's method from the bracket's left end.
void compare() {
    int found = 0;
    const double bracketed = getBolzanoRoot(bracket.a, bracket.b, found);
    const double newton = getNewtonRoot(experiments::newtonStart);
    standardOutput().print("Roots: %lf %lf \n", bracketed, newton);
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"bisection_newton", describe, compare}, argc, argv);
}
