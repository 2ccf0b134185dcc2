#include "gradient_table/gradient_table.h"

#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/output.h"
#include "output/table_writer.h"

namespace xsin {

void printGradients(double lo, double hi) {
    OutputFile table(experiments::gradientFile);
    if (!table.isOpen()) {
        return;
    }
    // The accumulated abscissa passes near 0 as about -1.2e-13 and ends just
    // below hi, so line 501 shows -0.0000000000 and the last line hi.
    TableWriter<3> lines(table);
    walkAbscissa(lo, hi, static_cast<double>(experiments::sideBySideTable.steps),
                 [&](double x) { lines.line(x, fp(x), fpfinite(x)); });
}

}  // namespace xsin
