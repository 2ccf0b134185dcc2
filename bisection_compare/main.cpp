#include "output/output.h"
#include "roots/roots.h"

// Midpoint against quarter-point bracketing on [-5, 3]. The flags are not
// looked at: a failed search shows as its -1.000000.
int main() {
    return xsin::runProgram("bisection_compare", [] {
        int found = 0;
        const double midpoint = xsin::getBolzanoRoot(-5.0, 3.0, found);
        int found14 = 0;
        const double quarterPoint = xsin::getBolzanoRoot14(-5.0, 3.0, found14);
        xsin::print(xsin::standardOutput(), "ROOTS: %lf %lf \n", midpoint, quarterPoint);
    });
}
