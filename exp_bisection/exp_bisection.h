#pragma once

#include <cmath>

#include "elementary/elementary.h"
#include "experiments/experiments.h"

// The equation e^x + x - 5 = 0, solved by midpoint bracketing with its
// trace on standard output. Its own function and search, independent of
// the numerics and root finders of x*sin(x^2), which the program does not
// link. The loop is its own, not roots/search.h's bracketSearch: it tests
// the midpoint before it reports anything and reports after each
// narrowing the bracket and f at the midpoint it tests next, so that its
// trace has no line for the first midpoint and one for the midpoint formed
// after the last test, which is never tested.

namespace expbisection {

// (e^x + x) - 5, the sum formed first, over the exponential of Math.
template <class Math>
double fWith(double x) {
    return (Math::exp(x) + x) - 5.0;
}

double f(double x);

// Midpoint bracketing of [a, b] for a zero of function: returns the first
// midpoint where |function| is below tolerance, strictly, and sets found to
// 1, or returns notFound and sets found to 0 after cap midpoints tested.
// After each narrowing, report(a, b, t, f(t)) hears of the narrowed bracket
// and its midpoint t, the trial point tested next (or, after the last
// trial, never tested).
template <class F, class Report>
double getRoot(F function, double a, double b, double tolerance, int cap, int& found, Report&& report) {
    double t = (a + b) * 0.5;
    double ft = function(t);
    for (int remaining = cap; remaining > 0; --remaining) {
        if (std::fabs(ft) < tolerance) {
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

// The search as the program runs it, with the experiments' root tolerance
// and trial cap: each narrowing printed on standard output as a bracket
// line (output/trace.h), the narrowed bracket and f at the midpoint tested
// next.
double getRoot(double a, double b, int& found);

}  // namespace expbisection
