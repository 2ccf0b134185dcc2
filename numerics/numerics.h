#pragma once

// The test function f(x) = x*sin(x^2) and three evaluators of its derivative
// f'(x) = sin(x^2) + 2x^2*cos(x^2). Every operation is rounded on its own in
// the order written in numerics.cpp: the tables print ten decimals, where
// another association can change the last digit.

#ifdef XSIN_USE_AUTODIFF
#include <autodiff/forward/dual.hpp>
namespace xsin {
using Dual = autodiff::detail::Dual<double, double>;
}
#else
#include "numerics/dual.h"
#endif

namespace xsin {

double f(double x);

// The closed-form derivative.
double fp(double x);

// The forward-difference estimate of the derivative with step 1e-8.
double fpfinite(double x);

// f's own expression evaluated over dual numbers. Seeded with derivative
// component 1.0, the result's grad is f'(x), associated differently from fp.
Dual af(Dual x);

// f'(x) by automatic differentiation: af at the dual with value x and
// derivative component 1.0, derivative component of the result.
inline double afDerivative(double x) {
    Dual seed = x;
    seed.grad = 1.0;
    return af(seed).grad;
}

}  // namespace xsin
