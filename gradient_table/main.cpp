#include "experiments/experiments.h"
#include "gradient_table/gradient_table.h"
#include "output/output.h"
#include "program/program.h"

// The closed-form and finite-difference derivatives of f side by side.
int main() {
    return xsin::runProgram("gradient_table", [] {
        xsin::printGradients(xsin::experiments::sideBySideTable.lo, xsin::experiments::sideBySideTable.hi);
    });
}
