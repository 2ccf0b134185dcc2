#include <cmath>
#include <string>

#include "accuracy_report/faithful.h"
#include "accuracy_report/measure.h"
#include "exp_bisection/exp_bisection.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "output/trace.h"
#include "roots/roots.h"
#include "roots/search.h"

namespace xsin {

namespace {

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
    search.trials = trials;
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
// decision (the tolerance test, the sign of the product) or a printed line?
// Trial points follow from the decisions alone, so if none can change, the
// whole trace is the same under every faithful library. printedFrom is the
// first trial whose line is printed.
template <class F, class FFaithful>
void checkBracketing(SearchAccuracy& search, bool found, size_t printedFrom, F f, FFaithful fFaithful) {
    long changing = 0;
    const auto& trials = search.trials;
    for (size_t i = 0; i < trials.size(); ++i) {
        const Trial& trial = trials[i];
        const bool stops = found && i + 1 == trials.size();
        const bool left = rootLiesLeft(f(trial.a), f(trial.t));
        const std::string line = bracketLine(trial.a, trial.b, f(trial.t));
        bool changes = false;
        forEveryFaithfulLibrary([&] {
            const double ft = fFaithful(trial.t);
            changes = changes || meetsTolerance(ft) != stops ||
                      (i >= printedFrom && bracketLine(trial.a, trial.b, ft) != line) ||
                      (!stops && rootLiesLeft(fFaithful(trial.a), ft) != left);
        });
        changing += changes;
    }
    search.robust = changing == 0;
    search.robustness = changing == 0
                            ? "no decision and no printed value can change"
                            : std::to_string(changing) + " trial points where a decision or a printed value can change";
}

// The zero of x*sin(x^2) nearest the returned point, -+sqrt(k*pi), where
// |f'| = |2x^2 cos(x^2)| = 2k*pi.
void setSinSquareZero(SearchAccuracy& search) {
    search.truth = sinSquareZeroNear(search.returned);
    search.slopeAtZero = 2 * search.truth.value.hi * search.truth.value.hi;
}

template <class Search>
SearchAccuracy bracketing(const char* name, Search search) {
    SearchAccuracy result;
    result.program = "bisection_compare";
    result.search = name;
    std::vector<Trial> trials;
    int found = 0;
    const auto bracket = experiments::sinSquareBracket;
    result.returned =
        search(bracket.a, bracket.b, found, [&](double a, double b, double t, double) { trials.push_back({a, b, t}); });
    setSinSquareZero(result);
    setTrials(result, trials);
    checkBracketing(result, found == 1, 0, f, fWith<FaithfulMath>);
    return result;
}

// Newton's iterates can move with every answer of the library, so the whole
// search is run under every faithful library and its trace and result
// compared with the actual ones.
SearchAccuracy newton() {
    const double x0 = experiments::newtonStart;
    SearchAccuracy result;
    result.program = "bisection_newton";
    result.search = "newton";
    std::vector<double> points{x0};
    std::string trace;
    result.returned = getNewtonRoot(x0, [&](double x, double fx) {
        points.push_back(x);
        trace += newtonLine(x, fx);
    });
    setSinSquareZero(result);
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
    const bool complete = forEveryFaithfulLibrary([&] {
        ++result.libraries;
        std::string otherTrace;
        const double otherRoot = newtonSearch(fWith<FaithfulMath>, fpWith<FaithfulMath>, x0,
                                              [&](double x, double fx) { otherTrace += newtonLine(x, fx); });
        changes = changes || otherTrace != trace || sixDecimals(otherRoot) != sixDecimals(result.returned);
    });
    result.robust = complete && !changes;
    result.robustness = !complete ? "undecided: too many ways for the iterates to differ"
                        : changes ? "the trace or the printed root can change"
                                  : "the same trace and root under all " + std::to_string(result.libraries) +
                                        " faithful libraries that answer its calls differently";
    return result;
}

SearchAccuracy expEquation() {
    const auto bracket = experiments::expBracket;
    SearchAccuracy result;
    result.program = "exp_bisection";
    result.search = "midpoint";
    // The search reports each narrowed bracket and the midpoint it tests
    // next; the first midpoint, of the bracket itself, comes before any
    // report and is not printed.
    std::vector<Trial> trials{{bracket.a, bracket.b, midpoint(bracket.a, bracket.b)}};
    int found = 0;
    result.returned = expbisection::getRoot(expbisection::f, bracket.a, bracket.b, found,
                                            [&](double a, double b, double t, double) { trials.push_back({a, b, t}); });
    if (found == 0) {
        trials.pop_back();  // the last midpoint is formed but never tested
    }
    result.truth = expEquationZero();
    result.slopeAtZero = Math::exp(result.truth.value.hi) + 1;
    setTrials(result, trials);
    checkBracketing(result, found == 1, 1, expbisection::f, expbisection::fWith<FaithfulMath>);
    return result;
}

}  // namespace

Searches measureSearches() {
    Searches searches;
    searches.midpoint = bracketing("midpoint", [](double a, double b, int& found, auto report) {
        return getBolzanoRoot(a, b, found, report);
    });
    searches.quarterPoint = bracketing("quarter-point", [](double a, double b, int& found, auto report) {
        return getBolzanoRoot14(a, b, found, report);
    });
    searches.newton = newton();
    searches.expEquation = expEquation();
    return searches;
}

}  // namespace xsin
