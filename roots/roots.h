#pragma once

#include "numerics/numerics.h"
#include "roots/search.h"

// The root finders of the test function f. Each comes in two forms: one
// that reports every point to a callable (see roots/search.h), and one that
// traces its search to its own file in the working directory, as the
// programs run it. A trace that cannot be written is reported (see
// output/output.h); the search runs and returns its result all the same.

namespace xsin {

// Midpoint bracketing of [a, b]: the first trial point with |f| < 1e-8,
// found set to 1, or -1.0 and found 0 after 200 trial points. The traced
// forms write the traces that experiments/experiments.h names.
template <class Report>
double getBolzanoRoot(double a, double b, int& found, Report&& report) {
    return bracketSearch(f, a, b, found, midpoint, report);
}
double getBolzanoRoot(double a, double b, int& found);

// The same search with the trial point a quarter of the way from a to b.
template <class Report>
double getBolzanoRoot14(double a, double b, int& found, Report&& report) {
    return bracketSearch(f, a, b, found, quarterPoint, report);
}
double getBolzanoRoot14(double a, double b, int& found);

// Newton's iteration from x0 with fp as the slope: the last iterate,
// whether or not |f| fell below 1e-8 within 201 steps. The trace has a line
// per step, the start not included.
template <class Report>
double getNewtonRoot(double x0, Report&& report) {
    return newtonSearch(f, fp, x0, report);
}
double getNewtonRoot(double x0);

}  // namespace xsin
