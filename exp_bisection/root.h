#pragma once

#include <functional>

#include "numerics/elementary.h"

// The equation e^x + x - 5 = 0, solved by midpoint bracketing with its
// trace on standard output. Independent of the numerics of x*sin(x^2).

namespace expbisection {

// (e^x + x) - 5, the sum formed first, over the exponential of Math.
template <class Math>
double fWith(double x) {
    return (Math::exp(x) + x) - 5.0;
}

double f(double x);

// Hears of each narrowing: the narrowed bracket [a, b] and its midpoint t,
// the trial point tested next (or, after the last trial, never tested).
using NarrowingWatcher = std::function<void(double a, double b, double t)>;

// Midpoint bracketing of [a, b]. Returns the first midpoint with
// |f| < 1e-8 and sets found to 1, or returns -1.0 and sets found to 0 after
// 200 midpoints. The first form prints "%lf %lf %lf\n" after each
// narrowing: the narrowed bracket and f at the midpoint tested next.
double getRoot(double a, double b, int& found);
double getRoot(double a, double b, int& found, const NarrowingWatcher& watch);

}  // namespace expbisection
