#pragma once

namespace xsin {

// Writes "gradient.txt": over [lo, hi] in 1000 steps, one line
// "%20.10lf %20.10lf %20.10lf\n" per abscissa with fp and fpfinite side by
// side. A file that cannot be opened is reported and nothing is written.
void printGradients(double lo, double hi);

}  // namespace xsin
