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
// lanes of a vector (numerics/lanes.h), each lane computed as a double is.
//
// Beside each evaluator, its a-priori error bound against the exact value,
// derived from its operations for a math library whose sin and cos are
// within one unit in the last place (accuracy_report checks both). With
// u = 2^-53 the unit roundoff, S = |sin x^2| and C = |cos x^2|. The bounds
// are estimates computed in doubles over the build's own sine and cosine,
// so that the correctly rounded build's figures are the same on every
// machine; those of fp, af and fpfinite get 1 % for the terms of second
// order.

#include <cmath>
#include <cstddef>

#include "elementary/elementary.h"
#include "experiments/experiments.h"
#include "numerics/binary64.h"
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

namespace bounds {

// f: x*x is off by u*x^2, which moves the sine by u*x^2*C; the sine and the
// product add u and about 2u of |f|: u|x|(x^2 C + 3S).
inline double f(double x) {
    const double x2 = x * x;
    return binary64::unitRoundoff * std::fabs(x) * (x2 * std::fabs(Math::cos(x2)) + 3 * std::fabs(Math::sin(x2)));
}

// f'(x) and f''(x) = 6x cos(x^2) - 4x^3 sin(x^2) as formulas in doubles,
// for the estimates.
inline double derivative(double x) {
    const double x2 = x * x;
    return Math::sin(x2) + 2 * x2 * Math::cos(x2);
}

inline double secondDerivative(double x) {
    const double x2 = x * x;
    return 6 * x * Math::cos(x2) - 4 * x * x2 * Math::sin(x2);
}

}  // namespace bounds

// The closed-form derivative ((x + x)*x)*cos(x^2) + sin(x^2).
template <class Math, class T = double>
T fpWith(T x) {
    const T u = x * x;
    const auto [s, c] = sinCosOf<Math>(u);
    // 2x is formed as x + x; s is added last.
    return ((x + x) * x) * c + s;
}

double fp(double x);

namespace bounds {

// fp: the rounding of x*x moves the sine by u*x^2*C and the cosine by
// u*x^2*S, which 2x^2 multiplies; each function adds 2u of its value; the
// two products and the sum add u each. To first order
//   u (x4S x^4 S + x2C x^2 C + S S)
// with the terms below. The same holds for af, which computes the same sine
// and cosine of the same rounded x*x with as many roundings. The estimate
// adds 1 % for the terms of second order.
struct FpTerms {
    double x4S;  // of x^4 |sin x^2|
    double x2C;  // of x^2 |cos x^2|
    double S;    // of |sin x^2|
};

constexpr FpTerms fpTerms{2, 11, 3};
constexpr double secondOrder = 1.01;

inline double fp(double x) {
    const double x2 = x * x;
    const double s = std::fabs(Math::sin(x2));
    const double c = std::fabs(Math::cos(x2));
    return secondOrder * binary64::unitRoundoff * (fpTerms.x4S * x2 * x2 * s + fpTerms.x2C * x2 * c + fpTerms.S * s);
}

// The bound of fp where |sin x^2| and |cos x^2| reach 1: its envelope.
inline double fpEnvelope(double x) {
    const double x2 = x * x;
    return secondOrder * binary64::unitRoundoff * (fpTerms.x4S * x2 * x2 + fpTerms.x2C * x2 + fpTerms.S);
}

}  // namespace bounds

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

namespace bounds {

// fpfinite, with y = h + x rounded and h' = y - x the step taken:
// |f'|*|h' - h|/h for the step, h'^2/2h * max|f''| for the truncation (with
// |f'''| <= 6 + 24x^2 + 8x^4 over the step), the errors of f at y and x
// divided by h, and 2u|result| for the subtraction and the division; the
// rounding of h + x makes |h' - h| <= u|y|.
inline double fpfinite(double x) {
    const double h = experiments::finiteStep;
    const double u = binary64::unitRoundoff;
    const double y = h + x;
    const double step = y - x;
    const double m = std::fabs(x) + step;
    const double second = std::fabs(secondDerivative(x)) + step * (6 + 24 * m * m + 8 * m * m * m * m);
    return secondOrder * (std::fabs(derivative(x)) * u * std::fabs(y) / h + step * step / (2 * h) * second +
                          (f(y) + f(x)) / h + 2 * u * std::fabs(xsin::fpfinite(x)));
}

}  // namespace bounds

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
// rounded functions evaluate four arguments at a time (numerics/lanes.h).
void fpBatch(const double* xs, double* derivatives, std::size_t n);
void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n);
void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n);

namespace bounds {

// af: as fp (above).
inline double af(double x) {
    return fp(x);
}

}  // namespace bounds

}  // namespace xsin
