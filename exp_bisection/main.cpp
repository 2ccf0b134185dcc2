#include "exp_bisection/exp_bisection.h"
#include "experiments/experiments.h"
#include "output/output.h"
#include "program/program.h"

// Brackets the zero of e^x + x - 5; the trace is the output, the root
// itself is not printed.
int main() {
    return xsin::runProgram("exp_bisection", [] {
        int found = 0;
        expbisection::getRoot(xsin::experiments::expBracket.a, xsin::experiments::expBracket.b, found);
    });
}
