#pragma once

// The a-priori error bound of each evaluator of numerics/numerics.h against
// the exact value, derived from its operations in their order, for a math
// library whose sin and cos are within one unit in the last place
// (accuracy_report checks both, and measures the evaluators against these).
// With u = 2^-53 the unit roundoff, S = |sin x^2| and C = |cos x^2|. The
// bounds are estimates computed in doubles over the build's own sine and
// cosine, so that the correctly rounded build's figures are the same on
// every machine; those of fp, af and fpfinite get 1 % for the terms of
// second order.

#include <cmath>

#include "binary64/binary64.h"
#include "elementary/elementary.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"

namespace xsin::bounds {

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

// af: as fp (above).
inline double af(double x) {
    return fp(x);
}

}  // namespace xsin::bounds
