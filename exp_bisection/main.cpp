#include "exp_bisection/root.h"
#include "output/output.h"

// Brackets the zero of e^x + x - 5 in [1, 4]; the trace is the output, the
// root itself is not printed.
int main() {
    return xsin::runProgram("exp_bisection", [] {
        int found = 0;
        expbisection::getRoot(1.0, 4.0, found);
    });
}
