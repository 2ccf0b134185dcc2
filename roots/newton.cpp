#include <cstdio>

#include "numerics/numerics.h"
#include "output/output.h"
#include "roots/roots.h"
#include "roots/search.h"

namespace xsin {

double getNewtonRoot(double x0, const StepWatcher& watch) {
    return newtonSearch(f, fp, x0, watch);
}

// One line per step, the new iterate and f there; the start is not written.
double getNewtonRoot(double x0) {
    const char* traceName = "newton.txt";
    std::FILE* trace = openOutput(traceName);
    const double root = getNewtonRoot(x0, [trace](double x) {
        if (trace != nullptr) {
            std::fprintf(trace, "%lf %lf\n", x, f(x));
        }
    });
    closeOutput(trace, traceName);
    return root;
}

}  // namespace xsin
