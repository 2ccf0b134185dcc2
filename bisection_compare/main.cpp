#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"
#include "roots/roots.h"

namespace {

using namespace xsin;
constexpr auto bracket = experiments::sinSquareBracket;

void describe(OutputFile& out) {
    out.print(
        "Search [%g, %g] for a zero of f(x) = x*sin(x^2) by midpoint and by\n"
        "quarter-point bracketing, trace both searches and print both roots as\n"
        "\"ROOTS: <midpoint> <quarter point>\".\n"
        "\nWrites, in the working directory, replacing files of these names:\n"
        "  %-14s the midpoint search: a, b, f(t) per trial point t\n"
        "  %-14s the quarter-point search, alike\n",
        bracket.a, bracket.b, experiments::bolzanoTrace, experiments::bolzano14Trace);
}

// Midpoint against quarter-point bracketing of the same interval. The flags
// are not looked at: a failed search shows as its -1.000000.
void compare() {
    int found = 0;
    const double midpoint = getBolzanoRoot(bracket.a, bracket.b, found);
    int found14 = 0;
    const double quarterPoint = getBolzanoRoot14(bracket.a, bracket.b, found14);
    standardOutput().print("ROOTS: %lf %lf \n", midpoint, quarterPoint);
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"bisection_compare", describe, compare}, argc, argv);
}
