#include <cmath>
#include <string>

#include "accuracy_report/faithful.h"
#include "accuracy_report/measure.h"
#include "binary64/binary64.h"
#include "exp_bisection/exp_bisection.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
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
    search.errorUlps = search.error / binary64::ulp(search.returned);
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
    search.bitsPerTrial = -std::log2(search.narrowing);
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
            changes = changes || meetsTolerance(ft, experiments::rootTolerance) != stops ||
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

// The zero -+sqrt(k*pi) of x*sin(x^2) that k*pi = x^2 names.
SinSquareZero sinSquareZero(double x) {
    return {x < 0, std::lround(x * x / M_PI)};
}

void setSlope(SearchAccuracy& search, double slope) {
    search.slopeAtZero = slope;
    search.toleranceDistance = experiments::rootTolerance / slope;
}

// The zero of x*sin(x^2) nearest the returned point, -+sqrt(k*pi), where
// |f'| = |2x^2 cos(x^2)| = 2k*pi.
void setSinSquareZero(SearchAccuracy& search) {
    search.truth = sinSquareZeroNear(search.returned);
    search.zero = sinSquareZero(search.truth.value.hi);
    setSlope(search, 2 * search.truth.value.hi * search.truth.value.hi);
    search.slopeInPi = std::lround(search.slopeAtZero / M_PI);
}

template <class Search>
SearchAccuracy bracketing(const char* name, Search search) {
    SearchAccuracy result;
    result.program = "bisection_compare";
    result.search = name;
    std::vector<Trial> trials;
    const auto bracket = experiments::sinSquareBracket;
    const SearchResult found = search(bracket.a, bracket.b, [&](double a, double b, double t, double) {
        trials.push_back({a, b, t});
    });
    result.returned = found.point;
    setSinSquareZero(result);
    setTrials(result, trials);
    checkBracketing(result, found.found, 0, f, fWith<FaithfulMath>);
    return result;
}

// Newton's iterates can move with every answer of the library, so the whole
// search is run under every faithful library and its trace and result
// compared with the actual ones.
SearchAccuracy newton() {
    const double x0 = experiments::newtonStart;
    SearchAccuracy result;
    result.kind = SearchKind::newton;
    result.program = "bisection_newton";
    result.search = "newton";
    std::vector<double> points{x0};
    std::string trace;
    const SearchResult found = newtonRootSearch(x0, [&](double x, double fx) {
        points.push_back(x);
        trace += newtonLine(x, fx);
    });
    result.returned = found.point;
    setSinSquareZero(result);
    result.iterations = found.trials;
    setIterates(result, points);
    // Order p from e(k+1) = C*e(k)^p, while the errors are still well above
    // the spacing of the doubles near the root.
    const double floor = 64 * binary64::unitRoundoff * std::fabs(result.returned);
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
        const double otherRoot =
            newtonSearch(fWith<FaithfulMath>, fpWith<FaithfulMath>, x0, newtonLimits, [&](double x, double fx) {
                otherTrace += newtonLine(x, fx);
            }).point;
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
    result.returned = expbisection::getRoot(expbisection::f, bracket.a, bracket.b, experiments::rootTolerance,
                                            experiments::maxTrials, found, [&](double a, double b, double t, double) {
                                                trials.push_back({a, b, t});
                                            });
    if (found == 0) {
        trials.pop_back();  // the last midpoint is formed but never tested
    }
    result.truth = expEquationZero();
    setSlope(result, Math::exp(result.truth.value.hi) + 1);
    setTrials(result, trials);
    checkBracketing(result, found == 1, 1, expbisection::f, expbisection::fWith<FaithfulMath>);
    return result;
}

// The zeros of x*sin(x^2) in [a, b]: 0 and -+sqrt(k*pi).
long zerosIn(double a, double b) {
    const auto count = [](double end) { return static_cast<long>(std::floor(end * end / M_PI)); };
    return count(a) * (a < 0) + count(b) * (b > 0) + (a <= 0 && b >= 0);
}

FixedEndRun longestFixedRightEnd(const std::vector<Trial>& trials) {
    FixedEndRun best;
    size_t start = 0;
    for (size_t i = 1; i <= trials.size(); ++i) {
        if (i == trials.size() || trials[i].b != trials[start].b) {
            if (i - start > best.last + 1 - best.first) {
                best = {start + 1, i, trials[start].b};
            }
            start = i;
        }
    }
    return best;
}

// Where the double q lies against the exact quotient numerator/denominator:
// q*denominator, exactly, against numerator.
Relation againstQuotient(double q, double numerator, double denominator) {
    const DoubleDouble product = twoProduct(q, denominator);
    const DoubleDouble difference = twoSum(product.hi, -numerator);
    const double sign = difference.hi != 0.0 ? difference.hi : product.lo + difference.lo;
    return sign > 0 ? Relation::above : sign < 0 ? Relation::below : Relation::exactly;
}

// The same zero of x*sin(x^2).
bool sameZero(const SinSquareZero& a, const SinSquareZero& b) {
    return a.k == b.k && a.negative == b.negative;
}

}  // namespace

Searches measureSearches() {
    Searches searches;
    searches.midpoint =
        bracketing("midpoint", [](double a, double b, auto report) { return bolzanoSearch(a, b, report); });
    searches.quarterPoint =
        bracketing("quarter-point", [](double a, double b, auto report) { return bolzano14Search(a, b, report); });
    searches.newton = newton();
    searches.expEquation = expEquation();

    const auto bracket = experiments::sinSquareBracket;
    searches.tolerance = experiments::rootTolerance;
    searches.bracketA = bracket.a;
    searches.bracketB = bracket.b;
    searches.zerosInBracket = zerosIn(bracket.a, bracket.b);
    searches.midpointFinalWidth = std::ldexp(bracket.b - bracket.a, -(searches.midpoint.iterations - 1));
    // -(1/4 log2 1/4 + 3/4 log2 3/4) bits.
    searches.expectedQuarterBits = -(0.25 * std::log2(0.25) + 0.75 * std::log2(0.75));
    searches.quarterExtraShare = 1 / searches.expectedQuarterBits - 1;
    searches.quarterCreep = longestFixedRightEnd(searches.quarterPoint.trials);
    const SearchAccuracy& newton = searches.newton;
    searches.newtonStart = experiments::newtonStart;
    searches.fAtStart = f(searches.newtonStart);
    searches.fpAtStart = fp(searches.newtonStart);
    searches.newtonFirstStep = newton.iterates.at(1).point;
    searches.newtonZeroInBracket = newton.truth.value.hi >= bracket.a && newton.truth.value.hi <= bracket.b;
    searches.newtonFindsAnotherZero = !sameZero(newton.zero, searches.midpoint.zero);
    searches.bracketingFindSameZero = sameZero(searches.midpoint.zero, searches.quarterPoint.zero);
    for (const SearchAccuracy* search : searches.all()) {
        searches.robustCount += search->robust;
    }
    searches.allRobust = searches.robustCount == static_cast<long>(searches.all().size());
    return searches;
}

Walks measureWalks() {
    Walks w;
    const auto walk = experiments::timedTables;
    const double steps = static_cast<double>(walk.steps);
    w.lo = walk.lo;
    w.hi = walk.hi;
    w.steps = walk.steps;
    w.step = (walk.hi - walk.lo) / steps;
    w.stepAgainstQuotient = againstQuotient(w.step, walk.hi - walk.lo, steps);
    w.stepsAndEnds = walk.steps + 1L;
    w.last = walk.lo;
    walkAbscissa(walk.lo, walk.hi, steps, [&](double x) {
        w.last = x;
        ++w.lines;
    });
    w.next = w.last + w.step;
    w.end = w.last == walk.hi ? WalkEnd::onHi : w.next > walk.hi ? WalkEnd::pastHi : WalkEnd::stalled;
    w.computedLandsOnHi = walk.lo + steps * w.step == walk.hi;
    for (long i = 0; i <= walk.steps && walk.lo + static_cast<double>(i) * w.step <= walk.hi; ++i) {
        ++w.computedLines;
    }
    const auto side = experiments::sideBySideTable;
    w.sideSteps = side.steps;
    w.sideStep = (side.hi - side.lo) / static_cast<double>(side.steps);
    w.sideHi = side.hi;
    w.sideLast = side.lo;
    walkAbscissa(side.lo, side.hi, static_cast<double>(side.steps), [&](double x) { w.sideLast = x; });
    w.sideLastOnHi = w.sideLast == side.hi;
    return w;
}

}  // namespace xsin
