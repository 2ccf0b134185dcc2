#pragma once

#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "roots/search.h"

// The root finders of the test function f with the experiments' limits
// (experiments/experiments.h). Each comes in two forms: one that reports
// every point to a callable (see roots/search.h) and returns what it found,
// and one that traces its search to its own file in the working directory,
// as the programs run it. A trace that cannot be written is reported (see
// output/output.h); the search runs and returns its result all the same.

namespace xsin {

constexpr SearchLimits bracketingLimits{experiments::rootTolerance, experiments::maxTrials};
constexpr SearchLimits newtonLimits{experiments::rootTolerance, experiments::maxNewtonSteps};

// Midpoint bracketing of [a, b]: the first trial point with |f| below the
// tolerance, or, not found, the last after the trial cap.
template <class Report>
SearchResult bolzanoSearch(double a, double b, Report&& report) {
    return bracketSearch(f, a, b, midpoint, bracketingLimits, report);
}

// The same search with the trial point a quarter of the way from a to b.
template <class Report>
SearchResult bolzano14Search(double a, double b, Report&& report) {
    return bracketSearch(f, a, b, quarterPoint, bracketingLimits, report);
}

// Newton's iteration from x0 with fp as the slope: the last iterate,
// whether or not |f| fell below the tolerance within the step cap.
template <class Report>
SearchResult newtonRootSearch(double x0, Report&& report) {
    return newtonSearch(f, fp, x0, newtonLimits, report);
}

// The traced forms: the root, and found set to 1 when the tolerance was
// met and to 0 with notFound returned when the cap was reached. Each writes
// its trace of experiments/experiments.h, a line per trial point or per
// Newton step (the start not included).
double getBolzanoRoot(double a, double b, int& found);
double getBolzanoRoot14(double a, double b, int& found);
double getNewtonRoot(double x0);

}  // namespace xsin
