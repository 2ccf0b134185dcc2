#pragma once

#include <cmath>

#include "experiments/experiments.h"
#include "numerics/binary64.h"

// The searches themselves, apart from whatever watches them: each reports
// every point it tests or reaches, with f there, to a callable it is given,
// which writes a trace, collects the iterates or does nothing; and each
// returns what it found. Their limits are the experiments' own
// (experiments/experiments.h).

namespace xsin {

// What a search found: the point it stopped at, whether |f| there met the
// tolerance, and how many trial points it tested or Newton steps it took.
struct SearchResult {
    double point;
    bool found;
    int trials;
};

// The two decisions a search makes from the values of f.
inline bool meetsTolerance(double fx) {
    return std::fabs(fx) < experiments::rootTolerance;
}

// A zero or NaN product counts as no sign change.
inline bool rootLiesLeft(double fa, double ft) {
    return fa * ft < 0.0;
}

inline double midpoint(double a, double b) {
    return (a + b) * 0.5;
}

inline double quarterPoint(double a, double b) {
    return (b - a) * 0.25 + a;
}

// Narrows [a, b] at trialPoint(a, b) until |f| < rootTolerance there;
// report(a, b, t, f(t)) hears of every trial point t before it is tested,
// with the bracket it was chosen in. Returns t, found, or, after maxTrials
// trial points, notFound. Nothing checks that f changes sign on [a, b]:
// without a sign change the left end moves to every trial point, and a zero
// lying at a itself is left behind.
template <class F, class TrialPoint, class Report>
SearchResult bracketSearch(F f, double a, double b, TrialPoint trialPoint, Report&& report) {
    double t = trialPoint(a, b);
    for (int trials = 1; trials <= experiments::maxTrials; ++trials) {
        const double ft = f(t);
        report(a, b, t, ft);
        if (meetsTolerance(ft)) {
            return {t, true, trials};
        }
        if (rootLiesLeft(f(a), ft)) {
            b = t;
        } else {
            a = t;
        }
        t = trialPoint(a, b);
    }
    return {experiments::notFound, false, experiments::maxTrials};
}

// Newton's iteration x = x - f(x)/slope(x) from x0 until |f(x)| <
// rootTolerance, for at most maxNewtonSteps steps; report(x, f(x)) hears of
// every new iterate. Returns the last iterate, found or not (the iterate of
// the last step allowed is not tested). A zero slope is not guarded
// against: the NaN it leads to never passes the test and runs to the cap.
template <class F, class Slope, class Report>
SearchResult newtonSearch(F f, Slope slope, double x0, Report&& report) {
    double x = x0;
    double fx = f(x);
    int steps = 0;
    for (; steps < experiments::maxNewtonSteps; ++steps) {
        if (meetsTolerance(fx)) {
            return {x, true, steps};
        }
        x = x - fx / slope(x);
        fx = f(x);
        report(x, fx);
    }
    return {x, false, steps};
}

}  // namespace xsin
