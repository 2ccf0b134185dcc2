#include "gradient_table/table.h"
#include "output/output.h"

// The closed-form and finite-difference derivatives of f side by side over
// [-10, 10].
int main() {
    return xsin::runProgram("gradient_table", [] { xsin::printGradients(-10.0, 10.0); });
}
