#pragma once

// Tabulate the derivative of f over [lo, hi] in n equal steps, one line
// "%20.10lf %20.10lf\n" (abscissa, derivative) per point, and print the time
// the pass took as "Time Passed: <microseconds> \n". A file that cannot be
// opened is reported and its pass skipped, timing line included.

namespace xsin {

// Each writes its own file of gradient_timing's experiment
// (experiments/experiments.h).

// The closed form fp.
void printRealGradients(int n, double lo, double hi);

// The forward difference fpfinite.
void printFiniteGradients(int n, double lo, double hi);

// The derivative component of af seeded with 1.0.
void printAutodiffGradients(int n, double lo, double hi);

}  // namespace xsin
