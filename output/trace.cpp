#include "output/trace.h"

#include <cstdio>

namespace xsin {

std::string sixDecimals(double value) {
    // A sign, 309 digits of DBL_MAX, the point and six decimals.
    char text[1 + 309 + 1 + 6 + 1];
    const int length = std::snprintf(text, sizeof text, "%lf", value);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// "%lf %lf %lf\n"
std::string bracketLine(double a, double b, double ft) {
    return sixDecimals(a) + ' ' + sixDecimals(b) + ' ' + sixDecimals(ft) + '\n';
}

// "%lf %lf\n"
std::string newtonLine(double x, double fx) {
    return sixDecimals(x) + ' ' + sixDecimals(fx) + '\n';
}

}  // namespace xsin
