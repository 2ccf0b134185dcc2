#pragma once

#include <cmath>

#include "numerics/binary64.h"

// The searches themselves, apart from whatever watches them: each reports
// every point it tests or reaches, with f there, to a callable it is given,
// which writes a trace, collects the iterates or does nothing.

namespace xsin {

// A trial point counts as a root when |f| is below this, strictly.
constexpr double rootTolerance = 1e-8;
// Trial points a bracketing search tests before it gives up.
constexpr int maxTrials = 200;
// Newton steps, one more than the trial points of the bracketing searches.
constexpr int maxNewtonSteps = 201;
// What a bracketing search returns when it gives up.
constexpr double notFound = -1.0;

// The two decisions a search makes from the values of f.
inline bool meetsTolerance(double fx) {
    return std::fabs(fx) < rootTolerance;
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
// with the bracket it was chosen in. Returns t and sets found to 1, or
// returns notFound and sets found to 0 after maxTrials trial points (only
// found tells a genuine -1.0 from a failure). Nothing checks that f changes
// sign on [a, b]: without a sign change the left end moves to every trial
// point, and a zero lying at a itself is left behind.
template <class F, class TrialPoint, class Report>
double bracketSearch(F f, double a, double b, int& found, TrialPoint trialPoint, Report&& report) {
    double t = trialPoint(a, b);
    for (int remaining = maxTrials; remaining > 0; --remaining) {
        const double ft = f(t);
        report(a, b, t, ft);
        if (meetsTolerance(ft)) {
            found = 1;
            return t;
        }
        if (rootLiesLeft(f(a), ft)) {
            b = t;
        } else {
            a = t;
        }
        t = trialPoint(a, b);
    }
    found = 0;
    return notFound;
}

// Newton's iteration x = x - f(x)/slope(x) from x0 until |f(x)| <
// rootTolerance, for at most maxNewtonSteps steps; report(x, f(x)) hears of
// every new iterate. Returns the last iterate, whether or not it met the
// tolerance. A zero slope is not guarded against: the NaN it leads to never
// passes the test and runs to the cap.
template <class F, class Slope, class Report>
double newtonSearch(F f, Slope slope, double x0, Report&& report) {
    double x = x0;
    double fx = f(x);
    for (int remaining = maxNewtonSteps; remaining > 0; --remaining) {
        if (meetsTolerance(fx)) {
            break;
        }
        x = x - fx / slope(x);
        fx = f(x);
        report(x, fx);
    }
    return x;
}

}  // namespace xsin
