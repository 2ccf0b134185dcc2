#pragma once

// The test function f(x) = x*sin(x^2) and three evaluators of its derivative
// f'(x) = sin(x^2) + 2x^2*cos(x^2). Every operation is rounded on its own in
// the order written here: the tables print ten decimals, where another
// association can change the last digit.
//
// Each is written once, over the elementary functions of a Math type
// (elementary/elementary.h); f, fp, fpfinite and af are those over the
// build's math library, and the ...With forms let a measurement run the very
// same arithmetic over another one, or over four arguments at once in the
// lanes of a vector (binary64/lanes.h), each lane computed as a double is.
//
// Each evaluator's a-priori error bound is in numerics/bounds.h.

#include <cstddef>

#include "elementary/elementary.h"
#include "experiments/experiments.h"
#include "numerics/dual.h"

#if defined(XSIN_USE_AUTODIFF) && !defined(XSIN_CORRECTLY_ROUNDED)
#include <autodiff/forward/dual.hpp>
#endif

namespace xsin {

// f(x) = x*sin(x^2).
template <class Math, class T = double>
T fWith(T x) {
    const T u = x * x;
    return Math::sin(u) * x;
}

double f(double x);

// The closed-form derivative ((x + x)*x)*cos(x^2) + sin(x^2).
template <class Math, class T = double>
T fpWith(T x) {
    const T u = x * x;
    const auto [s, c] = sinCosOf<Math>(u);
    // 2x is formed as x + x; s is added last.
    return ((x + x) * x) * c + s;
}

double fp(double x);

// (f(h + x) - f(x)) / h. Divided by h rather than multiplied by 1/h: the two
// differ in the last bits.
template <class Math, class T = double>
T forwardDifferenceWith(T x, double h) {
    return (fWith<Math, T>(h + x) - fWith<Math, T>(x)) / h;
}

// The forward difference with the experiments' step h = 1e-8.
template <class Math, class T = double>
T fpfiniteWith(T x) {
    return forwardDifferenceWith<Math, T>(x, experiments::finiteStep);
}

double fpfinite(double x);

// The dual number over a math library: the autodiff library's when it is
// installed and the standard math library is in use (its sine calls that
// library and cannot be pointed elsewhere), otherwise the project's own.
template <class Math, class T = double>
struct DualOver {
    using type = BasicDual<Math, T>;
};
#if defined(XSIN_USE_AUTODIFF) && !defined(XSIN_CORRECTLY_ROUNDED)
template <>
struct DualOver<LibraryMath, double> {
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
// component 1.0: f'(x), associated differently from fp (s + ((2x)*c)*x
// against ((2x)*x)*c + s), so the two may differ in the last bits.
template <class Math, class T = double>
T afDerivativeWith(T x) {
    typename DualOver<Math, T>::type seed = x;
    seed.grad = T{} + 1.0;
    return afOver(seed).grad;
}

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

// The derivatives at n abscissas at once, each the very value that fp,
// fpfinite or afDerivative gives at it: for the tables, where the correctly
// rounded functions evaluate four arguments at a time (binary64/lanes.h).
void fpBatch(const double* xs, double* derivatives, std::size_t n);
void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n);
void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n);

}  // namespace xsin
