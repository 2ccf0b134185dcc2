#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"
#include "roots/roots.h"

// Midpoint bracketing against Newton's method from the bracket's left end.
int main() {
    return xsin::runProgram("bisection_newton", [] {
        constexpr auto bracket = xsin::experiments::sinSquareBracket;
        int found = 0;
        const double bracketed = xsin::getBolzanoRoot(bracket.a, bracket.b, found);
        const double newton = xsin::getNewtonRoot(xsin::experiments::newtonStart);
        xsin::print(xsin::standardOutput(), "Roots: %lf %lf \n", bracketed, newton);
    });
}
