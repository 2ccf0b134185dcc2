#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"
#include "roots/roots.h"

// Midpoint against quarter-point bracketing of the same interval. The flags
// are not looked at: a failed search shows as its -1.000000.
int main() {
    return xsin::runProgram("bisection_compare", [] {
        constexpr auto bracket = xsin::experiments::sinSquareBracket;
        int found = 0;
        const double midpoint = xsin::getBolzanoRoot(bracket.a, bracket.b, found);
        int found14 = 0;
        const double quarterPoint = xsin::getBolzanoRoot14(bracket.a, bracket.b, found14);
        xsin::print(xsin::standardOutput(), "ROOTS: %lf %lf \n", midpoint, quarterPoint);
    });
}
