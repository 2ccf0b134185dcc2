#include "numerics/numerics.h"

#include <cmath>

namespace xsin {

double f(double x) {
    const double u = x * x;
    return std::sin(u) * x;
}

double fp(double x) {
    const double u = x * x;
    const double s = std::sin(u);
    const double c = std::cos(u);
    // 2x is formed as x + x; s is added last.
    return ((x + x) * x) * c + s;
}

double fpfinite(double x) {
    const double h = 1e-8;
    // Divided by h rather than multiplied by 1e8: the two differ in the last bits.
    return (f(h + x) - f(x)) / h;
}

Dual af(Dual x) {
    return sin(x * x) * x;
}

}  // namespace xsin
