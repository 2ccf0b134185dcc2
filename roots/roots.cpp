#include "roots/roots.h"

#include "experiments/experiments.h"
#include "output/output.h"
#include "output/trace.h"

namespace xsin {

namespace {

// A bracketing search's result as the traced forms give it: the root and
// 1, or notFound and 0.
double withFlag(SearchResult result, int& found) {
    found = result.found ? 1 : 0;
    return result.found ? result.point : experiments::notFound;
}

}  // namespace

double getBolzanoRoot(double a, double b, int& found) {
    OutputFile trace(experiments::bolzanoTrace);
    return withFlag(bolzanoSearch(a, b, BracketLines(trace)), found);
}

double getBolzanoRoot14(double a, double b, int& found) {
    OutputFile trace(experiments::bolzano14Trace);
    return withFlag(bolzano14Search(a, b, BracketLines(trace)), found);
}

double getNewtonRoot(double x0) {
    OutputFile trace(experiments::newtonTrace);
    return newtonRootSearch(x0, NewtonLines(trace)).point;
}

}  // namespace xsin
