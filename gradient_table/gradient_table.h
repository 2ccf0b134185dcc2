#pragma once

namespace xsin {

// Writes gradient_table's table (experiments/experiments.h): over [lo, hi]
// in the experiment's fixed number of steps, one line "%20.10lf %20.10lf
// %20.10lf\n" per abscissa with fp and fpfinite side by side. A file that
// cannot be opened is reported and nothing is written.
void printGradients(double lo, double hi);

}  // namespace xsin
