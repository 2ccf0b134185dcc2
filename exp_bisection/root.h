#pragma once

// The equation e^x + x - 5 = 0, solved by midpoint bracketing with its
// trace on standard output. Independent of the numerics of x*sin(x^2).

namespace expbisection {

// (e^x + x) - 5, the sum formed first.
double f(double x);

// Midpoint bracketing of [a, b]. After each narrowing prints
// "%lf %lf %lf\n": the narrowed bracket and f at the midpoint tested next.
// Returns the first midpoint with |f| < 1e-8 and sets found to 1, or
// returns -1.0 and sets found to 0 after 200 midpoints.
double getRoot(double a, double b, int& found);

}  // namespace expbisection
