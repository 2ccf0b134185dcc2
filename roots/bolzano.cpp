#include "numerics/numerics.h"
#include "output/output.h"
#include "roots/roots.h"
#include "roots/search.h"

namespace xsin {

namespace {

// Each trace line shows the bracket in which the trial point t was chosen,
// before it is narrowed, and f(t).
template <class Search>
double traced(const char* traceName, Search search) {
    OutputFile trace(traceName);
    const double root = search([&trace](double a, double b, double t) { print(trace, "%lf %lf %lf\n", a, b, f(t)); });
    return root;
}

}  // namespace

double getBolzanoRoot(double a, double b, int& found, const TrialWatcher& watch) {
    return bracketSearch(f, a, b, found, midpoint, watch);
}

double getBolzanoRoot14(double a, double b, int& found, const TrialWatcher& watch) {
    return bracketSearch(f, a, b, found, quarterPoint, watch);
}

double getBolzanoRoot(double a, double b, int& found) {
    return traced("bolzano.txt", [&](const TrialWatcher& watch) { return getBolzanoRoot(a, b, found, watch); });
}

double getBolzanoRoot14(double a, double b, int& found) {
    return traced("bolzano14.txt", [&](const TrialWatcher& watch) { return getBolzanoRoot14(a, b, found, watch); });
}

}  // namespace xsin
