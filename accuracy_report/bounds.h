#pragma once

#include <cfloat>
#include <cmath>

#include "numerics/elementary.h"
#include "numerics/numerics.h"

// A-priori bounds of the evaluators' errors against the exact derivative,
// derived from their operations, for a math library whose sin and cos are
// within one unit in the last place (which the report checks). With
// u = 2^-53, S = |sin x^2| and C = |cos x^2|:
// - f: x*x is off by u*x^2, which moves the sine by u*x^2*C; the sine and
//   the product add u and about 2u of |f|: u|x|(x^2 C + 3S).
// - fp and af: the rounding of x*x moves the sine by u*x^2*C and the cosine
//   by u*x^2*S; each function adds 2u of its value; the two products and
//   the sum add u each. To first order u(2x^4 S + 11x^2 C + 3S).
// - fpfinite, with y = h + x rounded and h' = y - x the step taken:
//   |f'|*|h' - h|/h + h'^2/2h * max|f''| + (error of f at y and x)/h +
//   2u|result|, with |h' - h| <= u|y| and |f'''| <= 6 + 24x^2 + 8x^4.
// The bounds of fp, af and fpfinite get 1 % for the terms of second order.
// They are estimates computed in doubles, over the build's own sine and
// cosine, so that the correctly rounded build's report is the same on
// every machine.

namespace xsin::bounds {

constexpr double unitRoundoff = DBL_EPSILON / 2;

inline double fRounding(double x) {
    const double x2 = x * x;
    return unitRoundoff * std::fabs(x) * (x2 * std::fabs(Math::cos(x2)) + 3 * std::fabs(Math::sin(x2)));
}

inline double closedForm(double x) {
    const double x2 = x * x;
    const double s = std::fabs(Math::sin(x2));
    const double c = std::fabs(Math::cos(x2));
    return 1.01 * unitRoundoff * (2 * x2 * x2 * s + 11 * x2 * c + 3 * s);
}

// The closed form's bound where |sin x^2| and |cos x^2| reach 1: the
// envelope that the figure of the errors draws.
inline double closedFormEnvelope(double x) {
    const double x2 = x * x;
    return 1.01 * unitRoundoff * (2 * x2 * x2 + 11 * x2 + 3);
}

// f'(x) and f''(x) = 6x cos(x^2) - 4x^3 sin(x^2), in doubles.
inline double derivative(double x) {
    const double x2 = x * x;
    return Math::sin(x2) + 2 * x2 * Math::cos(x2);
}

inline double secondDerivative(double x) {
    const double x2 = x * x;
    return 6 * x * Math::cos(x2) - 4 * x * x2 * Math::sin(x2);
}

inline double forwardDifference(double x) {
    const double h = finiteStep;
    const double y = h + x;
    const double step = y - x;
    const double m = std::fabs(x) + step;
    const double second = std::fabs(secondDerivative(x)) + step * (6 + 24 * m * m + 8 * m * m * m * m);
    return 1.01 * (std::fabs(derivative(x)) * unitRoundoff * std::fabs(y) / h + step * step / (2 * h) * second +
                   (fRounding(y) + fRounding(x)) / h + 2 * unitRoundoff * std::fabs(fpfinite(x)));
}

}  // namespace xsin::bounds
