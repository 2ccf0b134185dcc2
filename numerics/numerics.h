#pragma once

// The test function f(x) = x*sin(x^2) and three evaluators of its derivative
// f'(x) = sin(x^2) + 2x^2*cos(x^2). Every operation is rounded on its own in
// the order written here: the tables print ten decimals, where another
// association can change the last digit.
//
// Each is written once, over the elementary functions of a Math type
// (numerics/elementary.h); f, fp, fpfinite and af are those over the build's
// math library, and the ...With forms let a measurement run the very same
// arithmetic over another one.

#include "numerics/dual.h"
#include "numerics/elementary.h"

#if defined(XSIN_USE_AUTODIFF) && !defined(XSIN_CORRECTLY_ROUNDED)
#include <autodiff/forward/dual.hpp>
#endif

namespace xsin {

// The step of the forward difference: the double nearest 1e-8.
constexpr double finiteStep = 1e-8;

template <class Math>
double fWith(double x) {
    const double u = x * x;
    return Math::sin(u) * x;
}

template <class Math>
double fpWith(double x) {
    const double u = x * x;
    const auto [s, c] = sinCosOf<Math>(u);
    // 2x is formed as x + x; s is added last.
    return ((x + x) * x) * c + s;
}

// (f(h + x) - f(x)) / h. Divided by h rather than multiplied by 1/h: the two
// differ in the last bits.
template <class Math>
double forwardDifferenceWith(double x, double h) {
    return (fWith<Math>(h + x) - fWith<Math>(x)) / h;
}

template <class Math>
double fpfiniteWith(double x) {
    return forwardDifferenceWith<Math>(x, finiteStep);
}

// The dual number over a math library: the autodiff library's when it is
// installed and the standard math library is in use (its sine calls that
// library and cannot be pointed elsewhere), otherwise the project's own.
template <class Math>
struct DualOver {
    using type = BasicDual<Math>;
};
#if defined(XSIN_USE_AUTODIFF) && !defined(XSIN_CORRECTLY_ROUNDED)
template <>
struct DualOver<LibraryMath> {
    using type = autodiff::detail::Dual<double, double>;
};
#endif

using Dual = DualOver<Math>::type;

// f's own expression, sin(x*x)*x, over dual numbers.
template <class D>
D afOver(D x) {
    return sin(x * x) * x;
}

// The derivative component of af at the dual with value x and derivative
// component 1.0: f'(x), associated differently from fp.
template <class Math>
double afDerivativeWith(double x) {
    typename DualOver<Math>::type seed = x;
    seed.grad = 1.0;
    return afOver(seed).grad;
}

double f(double x);

// The closed-form derivative.
double fp(double x);

// The forward-difference estimate of the derivative with step 1e-8.
double fpfinite(double x);

// f's own expression evaluated over dual numbers. Seeded with derivative
// component 1.0, the result's grad is f'(x).
Dual af(Dual x);

// f'(x) by automatic differentiation: af at the dual with value x and
// derivative component 1.0, derivative component of the result.
inline double afDerivative(double x) {
    Dual seed = x;
    seed.grad = 1.0;
    return af(seed).grad;
}

}  // namespace xsin
