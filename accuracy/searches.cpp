#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy/faithful.h"
#include "accuracy/measure.h"
#include "exp_bisection/root.h"
#include "numerics/numerics.h"
#include "roots/roots.h"
#include "roots/search.h"

namespace xsin {

namespace {

// The traces and result lines print six decimals.
std::string sixDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%lf", value);
    return text;
}

// A line of newton.txt: the new iterate and f there.
std::string newtonLine(double x, double fx) {
    return sixDecimals(x) + " " + sixDecimals(fx) + "\n";
}

struct Trial {
    double a;
    double b;
    double t;
};

void setIterates(SearchAccuracy& search, const std::vector<double>& points) {
    for (double point : points) {
        search.iterates.push_back({point, errorOf(point, search.truth.value)});
    }
    search.error = errorOf(search.returned, search.truth.value);
}

// The trial points as iterates. Brackets shrink by a factor per trial
// point; its average over the search is the geometric mean from the first
// bracket to the last.
void setTrials(SearchAccuracy& search, const std::vector<Trial>& trials) {
    search.iterations = static_cast<int>(trials.size());
    std::vector<double> points;
    for (const Trial& trial : trials) {
        points.push_back(trial.t);
    }
    setIterates(search, points);
    const double first = trials.front().b - trials.front().a;
    const double last = trials.back().b - trials.back().a;
    search.narrowing = std::pow(last / first, 1.0 / static_cast<double>(trials.size() - 1));
}

// Along the path the search took, could a faithful library change a
// decision (the tolerance test, the sign of the product) or a printed f(t)?
// Trial points follow from the decisions alone, so if none can change, the
// whole trace is the same under every faithful library.
template <class F, class FFaithful>
void checkBracketing(SearchAccuracy& search, const std::vector<Trial>& trials, bool found, bool firstPrinted, F f,
                     FFaithful fFaithful) {
    long changing = 0;
    for (size_t i = 0; i < trials.size(); ++i) {
        const Trial& trial = trials[i];
        const bool stops = found && i + 1 == trials.size();
        const bool printed = firstPrinted || i > 0;
        const bool left = rootLiesLeft(f(trial.a), f(trial.t));
        const std::string text = sixDecimals(f(trial.t));
        bool changes = false;
        forEveryFaithfulLibrary([&] {
            const double ft = fFaithful(trial.t);
            changes = changes || meetsTolerance(ft) != stops || (printed && sixDecimals(ft) != text) ||
                      (!stops && rootLiesLeft(fFaithful(trial.a), ft) != left);
        });
        changing += changes;
    }
    search.robust = changing == 0;
    search.robustness = changing == 0
                            ? "no decision and no printed value can change"
                            : std::to_string(changing) + " trial points where a decision or a printed value can change";
}

SearchAccuracy bracketing(const char* search, double (*root)(double, double, int&, const TrialWatcher&)) {
    SearchAccuracy result;
    result.program = "bisection_compare";
    result.search = search;
    std::vector<Trial> trials;
    int found = 0;
    result.returned = root(-5.0, 3.0, found, [&](double a, double b, double t) { trials.push_back({a, b, t}); });
    result.truth = sinSquareZeroNear(result.returned);
    setTrials(result, trials);
    checkBracketing(result, trials, found == 1, true, f, fWith<FaithfulMath>);
    return result;
}

// Newton's iterates can move with every answer of the library, so the whole
// search is run under every faithful library and its trace and result
// compared with the actual ones.
SearchAccuracy newton() {
    const double x0 = -5.0;
    SearchAccuracy result;
    result.program = "bisection_newton";
    result.search = "newton";
    std::vector<double> points{x0};
    std::string trace;
    result.returned = getNewtonRoot(x0, [&](double x) {
        points.push_back(x);
        trace += newtonLine(x, f(x));
    });
    result.truth = sinSquareZeroNear(result.returned);
    result.iterations = static_cast<int>(points.size()) - 1;
    setIterates(result, points);
    // Order p from e(k+1) = C*e(k)^p, while the errors are still well above
    // the spacing of the doubles near the root.
    const double floor = 64 * std::ldexp(std::fabs(result.returned), -53);
    for (size_t k = 1; k + 1 < result.iterates.size(); ++k) {
        const double before = result.iterates[k - 1].error;
        const double now = result.iterates[k].error;
        const double after = result.iterates[k + 1].error;
        if (after > floor) {
            result.orders.push_back(std::log(after / now) / std::log(now / before));
        }
    }

    bool changes = false;
    long libraries = 0;
    const bool complete = forEveryFaithfulLibrary([&] {
        ++libraries;
        std::string otherTrace;
        const double otherRoot = newtonSearch(fWith<FaithfulMath>, fpWith<FaithfulMath>, x0,
                                              [&](double x) { otherTrace += newtonLine(x, fWith<FaithfulMath>(x)); });
        changes = changes || otherTrace != trace || sixDecimals(otherRoot) != sixDecimals(result.returned);
    });
    result.robust = complete && !changes;
    result.robustness = !complete ? "undecided: too many ways for the iterates to differ"
                        : changes ? "the trace or the printed root can change"
                                  : "the same trace and root under all " + std::to_string(libraries) +
                                        " faithful libraries that answer its calls differently";
    return result;
}

SearchAccuracy expEquation() {
    const double a = 1.0;
    const double b = 4.0;
    SearchAccuracy result;
    result.program = "exp_bisection";
    result.search = "midpoint";
    // The search reports each narrowed bracket and the midpoint it tests
    // next; the first midpoint, of [1, 4] itself, comes before any report.
    std::vector<Trial> trials{{a, b, midpoint(a, b)}};
    int found = 0;
    result.returned = expbisection::getRoot(a, b, found, [&](double left, double right, double next) {
        trials.push_back({left, right, next});
    });
    if (found == 0) {
        trials.pop_back();  // the last midpoint is formed but never tested
    }
    result.truth = expEquationZero();
    setTrials(result, trials);
    checkBracketing(result, trials, found == 1, false, expbisection::f, expbisection::fWith<FaithfulMath>);
    return result;
}

}  // namespace

std::vector<SearchAccuracy> measureSearches() {
    return {bracketing("midpoint", getBolzanoRoot), bracketing("quarter-point", getBolzanoRoot14), newton(),
            expEquation()};
}

}  // namespace xsin
