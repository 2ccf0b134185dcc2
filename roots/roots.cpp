#include "roots/roots.h"

#include "experiments/experiments.h"
#include "output/output.h"
#include "output/trace.h"

namespace xsin {

double getBolzanoRoot(double a, double b, int& found) {
    OutputFile trace(experiments::bolzanoTrace);
    return getBolzanoRoot(a, b, found, BracketLines(trace));
}

double getBolzanoRoot14(double a, double b, int& found) {
    OutputFile trace(experiments::bolzano14Trace);
    return getBolzanoRoot14(a, b, found, BracketLines(trace));
}

double getNewtonRoot(double x0) {
    OutputFile trace(experiments::newtonTrace);
    return getNewtonRoot(x0, NewtonLines(trace));
}

}  // namespace xsin
