#include "exp_bisection/exp_bisection.h"

#include "output/output.h"
#include "output/trace.h"

namespace expbisection {

double f(double x) {
    return fWith<xsin::Math>(x);
}

double getRoot(double a, double b, int& found) {
    return getRoot(f, a, b, xsin::experiments::rootTolerance, xsin::experiments::maxTrials, found,
                   xsin::BracketLines(xsin::standardOutput()));
}

}  // namespace expbisection
