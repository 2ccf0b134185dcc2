#pragma once

// Correctly rounded sine, cosine and exponential of a double, computed with
// MPFR at the precision and exponent range of a double: the exact value
// rounded once, in the direction asked for. The result is then the same on
// every CPU, math library and architecture.

namespace xsin {

enum class Rounding { nearest, down, up };

double sinRounded(double u, Rounding rounding);
double cosRounded(double u, Rounding rounding);
double expRounded(double u, Rounding rounding);

struct CorrectlyRoundedMath {
    static double sin(double u) { return sinRounded(u, Rounding::nearest); }
    static double cos(double u) { return cosRounded(u, Rounding::nearest); }
    static double exp(double u) { return expRounded(u, Rounding::nearest); }
};

}  // namespace xsin
