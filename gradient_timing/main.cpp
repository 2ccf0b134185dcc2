#include "gradient_timing/writers.h"
#include "output/output.h"

// Times the three derivative evaluators of f over [-10, 10] in 100000 steps,
// each pass under the same load of formatting and file output.
int main() {
    return xsin::runProgram("gradient_timing", [] {
        xsin::printRealGradients(100000, -10.0, 10.0);
        xsin::printFiniteGradients(100000, -10.0, 10.0);
        xsin::printAutodiffGradients(100000, -10.0, 10.0);
    });
}
