#pragma once

#include <cmath>

#include "elementary/elementary.h"
#include "experiments/experiments.h"

// The equation e^x + x - 5 = 0, solved by midpoint bracketing with its
// trace on standard output. Its own function and search, independent of
// the numerics of x*sin(x^2).

namespace expbisection {

// (e^x + x) - 5, the sum formed first, over the exponential of Math.
template <class Math>
double fWith(double x) {
    return (Math::exp(x) + x) - 5.0;
}

double f(double x);

// Midpoint bracketing of [a, b] for a zero of f, with the experiments' root
// tolerance and trial cap: returns the first midpoint with |f| below the
// tolerance and sets found to 1, or returns notFound and sets found to 0
// after the cap. After each narrowing, report(a, b, t, f(t)) hears of the
// narrowed bracket and its midpoint t, the trial point tested next (or,
// after the last trial, never tested).
template <class F, class Report>
double getRoot(F function, double a, double b, int& found, Report&& report) {
    double t = (a + b) * 0.5;
    double ft = function(t);
    for (int remaining = xsin::experiments::maxTrials; remaining > 0; --remaining) {
        if (std::fabs(ft) < xsin::experiments::rootTolerance) {
            found = 1;
            return t;
        }
        // A zero or NaN product moves the left end.
        if (function(a) * ft < 0.0) {
            b = t;
        } else {
            a = t;
        }
        t = (a + b) * 0.5;
        ft = function(t);
        report(a, b, t, ft);
    }
    found = 0;
    return xsin::experiments::notFound;
}

// The search as the program runs it: each narrowing printed on standard
// output as a bracket line (output/trace.h), the narrowed bracket and f at
// the midpoint tested next.
double getRoot(double a, double b, int& found);

}  // namespace expbisection
