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
    OutputFile trace("newton.txt");
    const double root = getNewtonRoot(x0, [&trace](double x) { print(trace, "%lf %lf\n", x, f(x)); });
    return root;
}

}  // namespace xsin
