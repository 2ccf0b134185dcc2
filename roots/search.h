#pragma once

#include <cmath>

#include "numerics/binary64.h"

// The searches themselves, apart from whatever watches them: each tells a
// watcher about every point it is about to test or has just reached, and
// the watcher writes a trace, collects the iterates or does nothing.

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
// watch(a, b, t) hears of every trial point t before it is tested, with the
// bracket it was chosen in. Nothing checks that f changes sign on [a, b]:
// without a sign change the left end moves to every trial point, and a zero
// lying at a itself is left behind.
template <class F, class TrialPoint, class Watch>
double bracketSearch(F f, double a, double b, int& found, TrialPoint trialPoint, Watch watch) {
    double t = trialPoint(a, b);
    for (int remaining = maxTrials; remaining > 0; --remaining) {
        watch(a, b, t);
        if (meetsTolerance(f(t))) {
            found = 1;
            return t;
        }
        if (rootLiesLeft(f(a), f(t))) {
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
// rootTolerance, for at most maxNewtonSteps steps; watch(x) hears of every
// new iterate. Returns the last iterate, whether or not it met the
// tolerance. A zero slope is not guarded against: the NaN it leads to never
// passes the test and runs to the cap.
template <class F, class Slope, class Watch>
double newtonSearch(F f, Slope slope, double x0, Watch watch) {
    double x = x0;
    for (int remaining = maxNewtonSteps; remaining > 0; --remaining) {
        if (meetsTolerance(f(x))) {
            break;
        }
        x = x - f(x) / slope(x);
        watch(x);
    }
    return x;
}

}  // namespace xsin
