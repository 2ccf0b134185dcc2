#include "exp_bisection/root.h"

#include <cmath>

#include "output/output.h"

namespace expbisection {

double f(double x) {
    return fWith<xsin::Math>(x);
}

double getRoot(double a, double b, int& found, const NarrowingWatcher& watch) {
    const double tolerance = 1e-8;
    double t = (a + b) * 0.5;
    for (int remaining = 200; remaining > 0; --remaining) {
        if (std::fabs(f(t)) < tolerance) {
            found = 1;
            return t;
        }
        // A zero or NaN product moves the left end.
        if (f(a) * f(t) < 0.0) {
            b = t;
        } else {
            a = t;
        }
        t = (a + b) * 0.5;
        watch(a, b, t);
    }
    found = 0;
    return -1.0;
}

double getRoot(double a, double b, int& found) {
    return getRoot(a, b, found, [](double left, double right, double next) {
        xsin::print(xsin::standardOutput(), "%lf %lf %lf\n", left, right, f(next));
    });
}

}  // namespace expbisection
