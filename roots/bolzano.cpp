#include <cmath>
#include <cstdio>

#include "numerics/numerics.h"
#include "output/output.h"
#include "roots/roots.h"

namespace xsin {

namespace {

const double tolerance = 1e-8;
const int maxTrials = 200;
const double notFound = -1.0;

// Each trace line shows the bracket in which the trial point t was chosen,
// before it is narrowed, and f(t). Nothing checks that f changes sign on
// [a, b]: without a sign change the left end moves to every trial point.
template <class TrialPoint>
double bracketRoot(const char* traceName, double a, double b, int& found, TrialPoint trialPoint) {
    std::FILE* trace = openOutput(traceName);
    double t = trialPoint(a, b);
    for (int remaining = maxTrials; remaining > 0; --remaining) {
        if (trace != nullptr) {
            std::fprintf(trace, "%lf %lf %lf\n", a, b, f(t));
        }
        if (std::fabs(f(t)) < tolerance) {
            closeOutput(trace, traceName);
            found = 1;
            return t;
        }
        // A zero or NaN product moves the left end: a zero lying at a
        // itself is left behind.
        if (f(a) * f(t) < 0.0) {
            b = t;
        } else {
            a = t;
        }
        t = trialPoint(a, b);
    }
    closeOutput(trace, traceName);
    found = 0;
    return notFound;
}

}  // namespace

double getBolzanoRoot(double a, double b, int& found) {
    return bracketRoot("bolzano.txt", a, b, found, [](double left, double right) {
        return (left + right) * 0.5;
    });
}

double getBolzanoRoot14(double a, double b, int& found) {
    return bracketRoot("bolzano14.txt", a, b, found, [](double left, double right) {
        return (right - left) * 0.25 + left;
    });
}

}  // namespace xsin
