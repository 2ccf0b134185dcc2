#include <cmath>
#include <cstdio>

#include "numerics/numerics.h"
#include "output/output.h"
#include "roots/roots.h"

namespace xsin {

double getNewtonRoot(double x0) {
    const double tolerance = 1e-8;
    // One step more than the 200 trial points of the bracketing searches.
    const int maxSteps = 201;
    const char* traceName = "newton.txt";

    std::FILE* trace = openOutput(traceName);
    double x = x0;
    for (int remaining = maxSteps; remaining > 0; --remaining) {
        if (std::fabs(f(x)) < tolerance) {
            break;
        }
        x = x - f(x) / fp(x);
        if (trace != nullptr) {
            std::fprintf(trace, "%lf %lf\n", x, f(x));
        }
    }
    closeOutput(trace, traceName);
    return x;
}

}  // namespace xsin
