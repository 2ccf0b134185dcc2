#include "gradient_table/table.h"

#include <cstdio>

#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/output.h"
#include "output/table.h"

namespace xsin {

void printGradients(double lo, double hi) {
    const char* name = "gradient.txt";
    OutputFile table(name);
    if (!table.isOpen()) {
        return;
    }
    // The accumulated abscissa passes near 0 as about -1.2e-13 and ends just
    // below hi, so line 501 shows -0.0000000000 and the last line hi.
    TableWriter lines(table);
    walkAbscissa(lo, hi, 1000.0, [&](double x) { lines.line(x, fp(x), fpfinite(x)); });
}

}  // namespace xsin
