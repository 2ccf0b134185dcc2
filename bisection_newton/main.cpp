#include "output/output.h"
#include "roots/roots.h"

// Midpoint bracketing on [-5, 3] against Newton's method from the same
// left end, -5.
int main() {
    return xsin::runProgram("bisection_newton", [] {
        int found = 0;
        const double bracketed = xsin::getBolzanoRoot(-5.0, 3.0, found);
        const double newton = xsin::getNewtonRoot(-5.0);
        xsin::print(xsin::standardOutput(), "Roots: %lf %lf \n", bracketed, newton);
    });
}
