#pragma once

#include <cmath>

// The searches themselves, apart from whatever watches them and from the
// limits they are given: each reports every point it tests or reaches,
// with f there, to a callable it is given, which writes a trace, collects
// the iterates or does nothing; and each returns what it found.

namespace xsin {

// When a search stops: a point counts as a root when |f| there is below
// tolerance, strictly; cap is the most trial points or steps it takes.
struct SearchLimits {
    double tolerance;
    int cap;
};

// What a search found: the point it stopped at, whether |f| there met the
// tolerance, and how many trial points it tested or Newton steps it took.
struct SearchResult {
    double point;
    bool found;
    int trials;
};

// The two decisions a search makes from the values of f.
inline bool meetsTolerance(double fx, double tolerance) {
    return std::fabs(fx) < tolerance;
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

// Narrows [a, b] at trialPoint(a, b) until |f| meets the tolerance there;
// report(a, b, t, f(t)) hears of every trial point t before it is tested,
// with the bracket it was chosen in. Returns t, found, or, after the cap,
// the last trial point tested, not found. Nothing checks that f changes sign
// on [a, b]: without a sign change the left end moves to every trial point,
// and a zero lying at a itself is left behind.
template <class F, class TrialPoint, class Report>
SearchResult bracketSearch(F f, double a, double b, TrialPoint trialPoint, SearchLimits limits, Report&& report) {
    double t = trialPoint(a, b);
    SearchResult result{t, false, 0};
    while (result.trials < limits.cap) {
        const double ft = f(t);
        report(a, b, t, ft);
        result = {t, meetsTolerance(ft, limits.tolerance), result.trials + 1};
        if (result.found) {
            break;
        }
        if (rootLiesLeft(f(a), ft)) {
            b = t;
        } else {
            a = t;
        }
        t = trialPoint(a, b);
    }
    return result;
}

// Newton's iteration x = x - f(x)/slope(x) from x0 until |f(x)| meets the
// tolerance, for at most the cap of steps; report(x, f(x)) hears of every
// new iterate. Returns the last iterate, found or not (the iterate of the
// last step allowed is not tested). A zero slope is not guarded against:
// the NaN it leads to never passes the test and runs to the cap.
template <class F, class Slope, class Report>
SearchResult newtonSearch(F f, Slope slope, double x0, SearchLimits limits, Report&& report) {
    double x = x0;
    double fx = f(x);
    int steps = 0;
    for (; steps < limits.cap; ++steps) {
        if (meetsTolerance(fx, limits.tolerance)) {
            return {x, true, steps};
        }
        x = x - fx / slope(x);
        fx = f(x);
        report(x, fx);
    }
    return {x, false, steps};
}

}  // namespace xsin
