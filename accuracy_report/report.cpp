#include "accuracy_report/report.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy_report/bounds.h"
#include "accuracy_report/exact.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/decimal.h"
#include "output/trace.h"
#include "roots/search.h"

namespace xsin {

namespace {

// Formats like printf, into a string.
template <class... Args>
std::string format(const char* pattern, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// 17 significant digits read back as the same double; JSON has no NaN.
std::string jsonNumber(double value) {
    return std::isfinite(value) ? format("%.17g", value) : "null";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

template <class T, class Write>
void jsonArray(OutputFile& out, const std::vector<T>& items, const char* indent, Write write) {
    put(out, "[");
    for (size_t i = 0; i < items.size(); ++i) {
        print(out, "%s\n%s", i == 0 ? "" : ",", indent);
        write(items[i]);
    }
    print(out, "\n%.*s]", static_cast<int>(std::string(indent).size()) - 2, indent);
}

std::string percent(double share) {
    return format("%.1f %%", 100.0 * share);
}

std::string percent(long part, long whole) {
    return percent(static_cast<double>(part) / static_cast<double>(whole));
}

std::string fragileList(const std::vector<long>& lines, size_t most) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < most; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    if (lines.size() > most) {
        text += format(", ... (%zu more)", lines.size() - most);
    }
    return text;
}

// "none", or a count.
std::string countOrNone(size_t count) {
    return count == 0 ? "none" : std::to_string(count);
}

// "all 1001 lines", or "all but 3 of the 1001 lines".
std::string allOrAllBut(long beyond, long lines) {
    return beyond == 0 ? format("all %ld lines", lines) : format("all but %ld of the %ld lines", beyond, lines);
}

const StepAccuracy& bestStep(const std::vector<StepAccuracy>& steps, double StepAccuracy::*error) {
    return *std::min_element(steps.begin(), steps.end(),
                             [error](const StepAccuracy& a, const StepAccuracy& b) { return a.*error < b.*error; });
}

// The bits of bracket a search removes per trial point.
double bitsPerTrial(const SearchAccuracy& search) {
    return -std::log2(search.narrowing);
}

std::string convergence(const SearchAccuracy& search) {
    if (search.orders.empty()) {
        return format("narrowing %.4f per trial point (%.2f bits)", search.narrowing, bitsPerTrial(search));
    }
    std::string orders;
    for (double order : search.orders) {
        orders += (orders.empty() ? "" : ", ") + format("%.2f", order);
    }
    return "order " + orders;
}

// An integer as a superscript: "⁻³¹".
std::string superscript(int value) {
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    const std::string decimal = std::to_string(value);
    std::string text;
    for (char c : decimal) {
        text += c == '-' ? "⁻" : digits[c - '0'];
    }
    return text;
}

// The unit in the last place of a double.
double ulpOf(double x) {
    return std::ldexp(1.0, std::ilogb(x) - (DBL_MANT_DIG - 1));
}

// A zero of x*sin(x^2) by its name: "-√(3π)", or "0".
std::string zeroName(double zero) {
    const long k = std::lround(zero * zero / M_PI);
    if (k == 0) {
        return "0";
    }
    return format("%s√(%ldπ)", zero < 0 ? "-" : "", k);
}

// |f'| at a zero sqrt(k*pi) of x*sin(x^2) is 2k*pi: "6π".
std::string slopeName(const SearchAccuracy& search) {
    return format("%ldπ", std::lround(search.slopeAtZero / M_PI));
}

// The zeros of x*sin(x^2) in [a, b]: 0 and +-sqrt(k*pi).
long zerosIn(experiments::Bracket bracket) {
    const auto count = [](double end) { return static_cast<long>(std::floor(end * end / M_PI)); };
    return count(bracket.a) * (bracket.a < 0) + count(bracket.b) * (bracket.b > 0) + (bracket.a <= 0 && bracket.b >= 0);
}

// The longest run of trial points whose bracket keeps its right end: the
// first and last trace line (1-based) and that end.
struct Run {
    size_t first = 0;
    size_t last = 0;
    double end = 0.0;
};

Run longestFixedRightEnd(const std::vector<Trial>& trials) {
    Run best;
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

// The order of magnitude of a number, as an English ordinal for a decimal
// place: 1e-7 is in the "seventh" decimal.
std::string decimalPlace(double value) {
    static const char* const names[] = {"first", "second",  "third",  "fourth",   "fifth",   "sixth",
                                        "seventh", "eighth", "ninth", "tenth", "eleventh", "twelfth"};
    const int place = -static_cast<int>(std::floor(std::log10(value)));
    return place >= 1 && place <= 12 ? names[place - 1] : format("%dth", place);
}

void writeDerivatives(const Report& report, OutputFile& out) {
    const DerivativeTables& t = report.tables;
    const ColumnAccuracy& real = t.real;
    const ColumnAccuracy& finite = t.finite;
    const ColumnAccuracy& autodiff = t.autodiff;
    const double u = bounds::unitRoundoff;
    const double h = finiteStep;
    const auto walk = experiments::timedTables;
    const double hi = std::max(std::fabs(walk.lo), std::fabs(walk.hi));

    put(out,
        "## Derivative tables\n\n"
        "| file | column | evaluator | lines | max error | at x | median error | correctly rounded | "
        "fragile lines |\n|---|---:|---|---:|---:|---:|---:|---:|---:|\n");
    for (const ColumnAccuracy* c : t.columns()) {
        print(out, "| %s | %d | `%s` | %ld | %.2g | %.4f | %.2g | %ld (%s) | %zu |\n", c->file.c_str(), c->column,
              c->evaluator.c_str(), c->lines, c->maxError, c->maxErrorAt, c->medianError, c->correctlyRounded,
              percent(c->correctlyRounded, c->lines).c_str(), c->fragileLines.size());
    }
    put(out,
        "\n\"Correctly rounded\" counts the results equal to the exact f′(x) rounded to the nearest double; "
        "\"fragile lines\" are explained below.\n\n");

    print(out,
          "**The closed form is not correctly rounded.** `fp` evaluates the textbook formula, yet it is the "
          "correctly rounded derivative on only %s of the %ld abscissas and is off by up to %.2g (at x = %.4f). "
          "The formula is exact; its first step is not: x·x is rounded before the sine, by up to half a unit in "
          "the last place of x², and 2x²·cos(x²) amplifies that. With u = 2⁻⁵³, S = |sin x²| and C = |cos x²|, "
          "and a math library whose sine and cosine are within one unit in the last place, the error is at "
          "most, to first order,\n\n    u·(2x⁴·S + 11x²·C + 3S)\n\n"
          "(the rounding of x·x moves the sine by u·x²·C and the cosine by u·x²·S; each function adds up to 2u "
          "of its value; the two products and the sum add u each). It grows like 2x⁴u, %.2g at |x| = %g. "
          "`fp` stays within this bound on %s of its table and `af` on %s (and `fpfinite` within a bound derived "
          "the same way, with truncation, on %s), and the largest error of `fp` reaches %.0f %% of it (at "
          "x = %.4f): the bound is tight. Automatic differentiation computes the same sine and cosine of the "
          "same rounded x·x, with the same number of roundings, and is off by as much (up to %.2g, correctly "
          "rounded on %s).\n\n",
          percent(real.correctlyRounded, real.lines).c_str(), real.lines, real.maxError, real.maxErrorAt,
          2 * hi * hi * hi * hi * u, hi, allOrAllBut(real.beyondBound, real.lines).c_str(),
          allOrAllBut(autodiff.beyondBound, autodiff.lines).c_str(),
          allOrAllBut(finite.beyondBound, finite.lines).c_str(), 100 * real.largestShareOfBound, real.largestShareAt,
          autodiff.maxError, percent(autodiff.correctlyRounded, autodiff.lines).c_str());

    const Agreement& a = t.autodiffAgainstReal;
    print(out,
          "**Automatic differentiation against the closed form.** Both compute f′(x) = sin(x²) + 2x²·cos(x²) "
          "from the same sine and cosine, associated differently (s + ((2x)·c)·x against ((2x)·x)·c + s). As "
          "doubles they differ on %ld of the %ld abscissas, by at most %.2g (%.0f units in the last place of "
          "numbers near %.0f); printed to ten decimals %ld lines differ, by at most %.0e in the tenth "
          "decimal, where the two values sit on either side of a rounding boundary.\n\n",
          a.differingDoubles, real.lines, a.largestDifference, a.largestDifference / ulpOf(a.largestDifferenceOf),
          std::fabs(a.largestDifferenceOf), a.differingLines, a.largestPrintedDifference);

    // The two errors of the forward difference, at their largest over the
    // walk: truncation h/2*|f''|, and the rounding of the step h + x - x
    // (half a unit in the last place of x) and of the two values of f.
    double largestStepError = 0.0;
    for (double x : t.xs) {
        largestStepError = std::max(largestStepError, std::fabs(bounds::derivative(x)) * ulpOf(x) / 2 / h);
    }
    const double halfUlpNearHi = ulpOf(std::nextafter(hi, 0.0)) / 2;
    print(out,
          "**The finite difference.** Its error, up to %.2g (at x = %.4f) with a median of %.2g, is %.0f orders "
          "of magnitude above that of the closed form, and %s of its lines %s correctly rounded. At x = %g it "
          "gives %.10f against %.10f. Two errors of similar size make it up, both growing with |x|:\n"
          "- truncation: the forward difference is off by about h/2·f″(x), and f″(x) = 6x·cos(x²) − "
          "4x³·sin(x²) grows like 4|x|³, up to about %.1g at |x| = %g with h = %g;\n"
          "- rounding: h + x is rounded to a double, so the step actually taken, (h + x) − x, differs from %g "
          "by up to half a unit in the last place of x (%.2g near |x| = %g), a relative error of up to %.2g "
          "that multiplies f′ (up to %.2g over the table); and each value of f is off by up to u·|x|³, which "
          "the division by h turns into up to %.1g each. Near 0, where f″ is small, only the rounding of f "
          "divided by h is left: about %.1g.\n\n",
          finite.maxError, finite.maxErrorAt, finite.medianError, std::round(std::log10(finite.medianError / real.medianError)),
          countOrNone(static_cast<size_t>(finite.correctlyRounded)).c_str(), finite.correctlyRounded == 1 ? "is" : "are",
          walk.lo, fpfinite(walk.lo), fp(walk.lo), h / 2 * 4 * hi * hi * hi, hi, h, h, halfUlpNearHi, hi,
          halfUlpNearHi / h, largestStepError, u * hi * hi * hi / h, u / h);
}

void writeSteps(const Report& report, OutputFile& out) {
    const StepAccuracy& byMax = bestStep(report.steps, &StepAccuracy::maxError);
    const StepAccuracy& byMedian = bestStep(report.steps, &StepAccuracy::medianError);
    print(out,
          "## The finite-difference step\n\n"
          "The forward difference (f(h + x) − f(x))/h over the %ld abscissas of `gradient_table`, for each h "
          "the double nearest the power of ten, with the largest truncation error h/2·|f″(x)| and the largest "
          "rounding error (the errors of the two values of f and of the step h + x − x actually taken, divided "
          "by h) over those abscissas.\n\n"
          "| h | max error | median error | truncation estimate | rounding estimate |\n"
          "|---:|---:|---:|---:|---:|\n",
          report.tables.sideBySideFinite.lines);
    const StepAccuracy* crossing = nullptr;  // the last step where truncation still dominates
    for (const StepAccuracy& s : report.steps) {
        print(out, "| %.0e | %.2g | %.2g | %.2g | %.2g |\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
        if (s.truncation > s.rounding) {
            crossing = &s;
        }
    }
    print(out,
          "\nAbove the best step the truncation error falls tenfold with each tenfold smaller h; below it the "
          "rounding error grows tenfold. The largest error is smallest at h = %.0e (%.2g) and the median error "
          "at h = %.0e (%.2g); the two estimates cross between h = %.0e and %.0e. The programs' h = %g is about "
          "the square root of the machine epsilon, %.1e.\n\n",
          byMax.h, byMax.maxError, byMedian.h, byMedian.medianError, crossing != nullptr ? crossing->h : std::nan(""),
          crossing != nullptr ? crossing->h / 10 : std::nan(""), finiteStep, std::sqrt(DBL_EPSILON));
}

void writeFragility(const Report& report, OutputFile& out) {
    const DerivativeTables& t = report.tables;
    const double hi = std::max(std::fabs(experiments::timedTables.lo), std::fabs(experiments::timedTables.hi));
    // One unit in the last place of a sine below 1, times |x|: what the last
    // bit of a sine moves f by, and the difference quotient by.
    const double lastBitOfF = bounds::unitRoundoff * hi;
    print(out,
          "## Fragile lines: what another math library could change\n\n"
          "A printed line is *fragile* when its text could be different under another math library whose "
          "`sin` and `cos` are within one unit in the last place: `accuracy_report` lets each call return "
          "either of the two doubles that enclose the exact value (a library is a function: the same argument "
          "gets the same answer), tries every combination and compares the printed text. %s has %zu fragile "
          "lines of %ld and %s's third column %zu of %ld: the difference of two sines divided by %g puts the "
          "last bit of each sine (up to about %.1g in f) at the %s decimal and below, so nearly every "
          "finite-difference line depends on it. The closed form and automatic differentiation depend on it "
          "only next to a rounding boundary of the tenth decimal: %s lines of %s, %s of %s and %s of %s's "
          "second column. The build's own math library answered %s %ld calls checked with one of the two "
          "enclosing doubles.\n\n",
          t.finite.file.c_str(), t.finite.fragileLines.size(), t.finite.lines, t.sideBySideFinite.file.c_str(),
          t.sideBySideFinite.fragileLines.size(), t.sideBySideFinite.lines, finiteStep, lastBitOfF,
          decimalPlace(lastBitOfF / finiteStep).c_str(), countOrNone(t.real.fragileLines.size()).c_str(),
          t.real.file.c_str(), countOrNone(t.autodiff.fragileLines.size()).c_str(), t.autodiff.file.c_str(),
          countOrNone(t.sideBySideReal.fragileLines.size()).c_str(), t.sideBySideReal.file.c_str(),
          report.library.outside == 0 ? "every one of the"
                                      : format("all but %ld of the", report.library.outside).c_str(),
          report.library.checked);
    for (const ColumnAccuracy* c : t.columns()) {
        if (!c->fragileLines.empty()) {
            print(out, "- Fragile lines of %s, column %d: %s.\n", c->file.c_str(), c->column,
                  fragileList(c->fragileLines, 40).c_str());
        }
    }
    put(out, "\n");
}

void writeSearches(const Report& report, OutputFile& out) {
    const Searches& s = report.searches;
    const SearchAccuracy& mid = s.midpoint;
    const SearchAccuracy& quarter = s.quarterPoint;
    const SearchAccuracy& newton = s.newton;
    const SearchAccuracy& exp = s.expEquation;
    const auto bracket = experiments::sinSquareBracket;

    put(out,
        "## Root searches\n\n"
        "| program | search | true root | returned | error | iterations | convergence | robust |\n"
        "|---|---|---|---:|---:|---:|---|---|\n");
    for (const SearchAccuracy* search : s.all()) {
        print(out, "| %s | %s | %s | %.17g | %.2g | %d | %s | %s |\n", search->program.c_str(),
              search->search.c_str(), search->truth.digits.c_str(), search->returned, search->error,
              search->iterations, convergence(*search).c_str(), search->robust ? "yes" : "no");
    }

    print(out,
          "\n**Where each search stops.** The searches stop at the first trial point with |f| < %g, which "
          "allows a distance of about %g/|f′| from a simple zero: %.2g at %s, where |f′| = %s, and %.2g at %s, "
          "where |f′| = %s. The midpoint search stops %.2g from its zero, the quarter-point search %.2g from its "
          "own, and exp_bisection %.2g from the root of eˣ + x − 5, where the slope eˣ + 1 is only %.2g. "
          "Newton's method, which tests |f| only after a step has been taken, lands within %.2g, %.2f units in "
          "the last place of %.17g.\n\n",
          rootTolerance, rootTolerance, rootTolerance / mid.slopeAtZero, zeroName(mid.truth.value.hi).c_str(),
          slopeName(mid).c_str(), rootTolerance / quarter.slopeAtZero, zeroName(quarter.truth.value.hi).c_str(),
          slopeName(quarter).c_str(), mid.error, quarter.error, exp.error, exp.slopeAtZero, newton.error,
          newton.error / ulpOf(newton.returned), newton.returned);

    // The quarter point keeps a quarter of the bracket or three quarters:
    // for a root anywhere, -(1/4 log2 1/4 + 3/4 log2 3/4) bits on average.
    const double expectedQuarterBits = -(0.25 * std::log2(0.25) + 0.75 * std::log2(0.75));
    const Run run = longestFixedRightEnd(quarter.trials);
    print(out,
          "**How many trial points the bracketing rules need.** The midpoint search tests %d trial points, the "
          "quarter-point search %d. The midpoint halves the bracket at every trial point: after %d halvings it "
          "is %g · 2%s ≈ %.2g wide. The quarter point keeps a quarter of the bracket when the sign change lies "
          "in the left quarter and three quarters otherwise; when the root sits anywhere, that is %.2f bits per "
          "trial point on average against 1, and on this search it measures %.2f (the bracket shrinks by %.4f "
          "per trial point), so it needs about %.0f %% more trial points. The trace shows it: from line %zu to "
          "%zu the right end stays at %s while the left end creeps up by quarters. The two searches also stop at "
          "different zeros, %s and %s (f has %ld zeros in [%g, %g]). Neither distance shrinks steadily: a "
          "bracket can be narrow while its trial point sits near its far end.\n\n",
          mid.iterations, quarter.iterations, mid.iterations - 1, bracket.b - bracket.a,
          superscript(1 - mid.iterations).c_str(),
          std::ldexp(bracket.b - bracket.a, -(mid.iterations - 1)), expectedQuarterBits, bitsPerTrial(quarter),
          quarter.narrowing, 100 * (1 / expectedQuarterBits - 1), run.first, run.last, sixDecimals(run.end).c_str(),
          zeroName(mid.truth.value.hi).c_str(), zeroName(quarter.truth.value.hi).c_str(), zerosIn(bracket),
          bracket.a, bracket.b);

    std::string errors;
    for (size_t k = 0; k < newton.iterates.size(); ++k) {
        const char* separator = k == 0 ? "" : k + 1 == newton.iterates.size() ? " and " : ", ";
        errors += format("%s%.2g", separator, newton.iterates[k].error);
    }
    const double x0 = experiments::newtonStart;
    const double zero = newton.truth.value.hi;
    std::string orders;
    for (double order : newton.orders) {
        orders += (orders.empty() ? "" : ", ") + format("%.1f", order);
    }
    print(out,
          "**Why Newton finds another root.** Newton's method from %g follows the tangent: f(%g) = %.3f and "
          "f′(%g) = %.1f, so the first step goes to %s, towards %s ≈ %s, the zero nearest to %g, which lies %s "
          "[%g, %g]. Nothing keeps Newton inside the interval, while the bracketing searches only try points "
          "inside it and find a zero with a sign change in their bracket. Its errors, %s, show the quadratic "
          "convergence (observed order %s) until the double precision stops it; bisection needs %d trial "
          "points for %.2g.\n\n",
          x0, x0, f(x0), x0, fp(x0), sixDecimals(newton.iterates.at(1).point).c_str(), zeroName(zero).c_str(),
          sixDecimals(zero).c_str(), x0, zero >= bracket.a && zero <= bracket.b ? "inside" : "just outside",
          bracket.a, bracket.b, errors.c_str(), orders.c_str(), mid.iterations, mid.error);

    long robust = 0;
    for (const SearchAccuracy* search : s.all()) {
        robust += search->robust;
    }
    print(out,
          "**Robust.** Along each search, `accuracy_report` checks every decision (the tolerance test, the sign "
          "of the product) and every printed value under every faithful math library, as for the fragile "
          "lines; Newton's iterates themselves may move with the library, so there the whole search is rerun "
          "under each of the %ld libraries that answer its calls differently. %s\n\n",
          newton.libraries,
          robust == static_cast<long>(s.all().size())
              ? format("None of the %zu traces, nor any printed root, could change.", s.all().size()).c_str()
              : format("%ld of the %zu searches are robust:", robust, s.all().size()).c_str());
    for (const SearchAccuracy* search : s.all()) {
        print(out, "- %s, %s: %s.\n", search->program.c_str(), search->search.c_str(), search->robustness.c_str());
    }
    put(out, "\n");
}

// Whether the double q lies above the exact quotient numerator/denominator:
// whether q*denominator, exactly, exceeds numerator.
bool aboveQuotient(double q, double numerator, double denominator) {
    const double product = q * denominator;
    const double rest = std::fma(q, denominator, -product);  // the product's rounding error, exactly
    return product > numerator || (product == numerator && rest > 0);
}

// Why the tables have the lines they have: the accumulated abscissa.
void writeWalks(OutputFile& out) {
    const auto walk = experiments::timedTables;
    const double steps = static_cast<double>(walk.steps);
    const double step = (walk.hi - walk.lo) / steps;
    double last = walk.lo;
    long lines = 0;
    walkAbscissa(walk.lo, walk.hi, steps, [&](double x) {
        last = x;
        ++lines;
    });
    const double computed = walk.lo + steps * step;  // lo + i*step at the end
    const auto side = experiments::sideBySideTable;
    double sideLast = side.lo;
    walkAbscissa(side.lo, side.hi, static_cast<double>(side.steps), [&](double x) { sideLast = x; });
    char lastText[maxFixedWidth + 1];
    const std::string sideLastPrinted(lastText, fixedDecimal(lastText, sideLast, 0));
    print(out,
          "## %ld lines, not %ld\n\n"
          "The step %g/%d is stored as the double %.24f…, a little %s %g, and the abscissa is accumulated by %d "
          "rounded additions. It reaches %.16g for the last line and then %.17g, just %s %g, so %s. An "
          "abscissa computed as %g + i·step would land %s %g and give %ld lines. In `gradient_table` the %d "
          "additions of %g stay %s %g (%.15g), so its last line is for %s.\n",
          lines, lines + 1, walk.hi - walk.lo, walk.steps, step,
          aboveQuotient(step, walk.hi - walk.lo, steps) ? "above" : "below", step, walk.steps, last, last + step, last + step > walk.hi ? "above" : "below",
          walk.hi, last + step > walk.hi ? format("no line is written for %g", walk.hi).c_str() : "its line is written",
          walk.lo, computed == walk.hi ? "exactly on" : "near", walk.hi, computed == walk.hi ? lines + 1 : lines,
          side.steps, (side.hi - side.lo) / static_cast<double>(side.steps), sideLast < side.hi ? "just below" : "on", side.hi, sideLast,
          sideLastPrinted.c_str());
}

}  // namespace

Report measureEverything() {
    Report report;
    report.exactArithmetic = mpfrVersion() + " at " + std::to_string(exactBits) + " bits";
#ifdef XSIN_CORRECTLY_ROUNDED
    report.mathLibrary = "correctly rounded (" + mpfrVersion() + ")";
#else
    report.mathLibrary = "the standard math library";
#endif
    report.tables = measureTables();
    report.steps = measureSteps();
    report.searches = measureSearches();
    report.library = libraryCheck();
    return report;
}

void writeJson(const Report& report, OutputFile& out) {
    print(out, "{\n  \"exact_arithmetic\": %s,\n  \"elementary_functions\": %s,\n",
          jsonString(report.exactArithmetic).c_str(), jsonString(report.mathLibrary).c_str());
    print(out, "  \"library_answers_checked\": %ld,\n  \"library_answers_beyond_one_ulp\": %ld,\n",
          report.library.checked, report.library.outside);
    put(out, "  \"tables\": ");
    jsonArray(out, report.tables.columns(), "    ", [&out](const ColumnAccuracy* c) {
        print(out,
              "{\"file\": %s, \"column\": %d, \"evaluator\": %s, \"lines\": %ld, \"max_abs_error\": %s, "
              "\"max_abs_error_at\": %s, \"median_abs_error\": %s, \"correctly_rounded\": %ld, "
              "\"lines_beyond_bound\": %ld, \"largest_share_of_bound\": %s, \"fragile_lines\": [",
              jsonString(c->file).c_str(), c->column, jsonString(c->evaluator).c_str(), c->lines,
              jsonNumber(c->maxError).c_str(), jsonNumber(c->maxErrorAt).c_str(), jsonNumber(c->medianError).c_str(),
              c->correctlyRounded, c->beyondBound, jsonNumber(c->largestShareOfBound).c_str());
        for (size_t i = 0; i < c->fragileLines.size(); ++i) {
            print(out, "%s%ld", i == 0 ? "" : ", ", c->fragileLines[i]);
        }
        put(out, "]}");
    });
    put(out, ",\n  \"finite_difference_steps\": ");
    jsonArray(out, report.steps, "    ", [&out](const StepAccuracy& s) {
        print(out,
              "{\"h\": %s, \"max_abs_error\": %s, \"median_abs_error\": %s, \"truncation_estimate\": %s, "
              "\"rounding_estimate\": %s}",
              jsonNumber(s.h).c_str(), jsonNumber(s.maxError).c_str(), jsonNumber(s.medianError).c_str(),
              jsonNumber(s.truncation).c_str(), jsonNumber(s.rounding).c_str());
    });
    print(out, ",\n  \"best_step_by_max_error\": %s,\n  \"best_step_by_median_error\": %s,\n",
          jsonNumber(bestStep(report.steps, &StepAccuracy::maxError).h).c_str(),
          jsonNumber(bestStep(report.steps, &StepAccuracy::medianError).h).c_str());
    put(out, "  \"roots\": ");
    jsonArray(out, report.searches.all(), "    ", [&out](const SearchAccuracy* s) {
        print(out,
              "{\"program\": %s, \"search\": %s, \"true_root\": %s, \"returned\": %s, \"abs_error\": %s, "
              "\"iterations\": %d, \"robust\": %s, \"robustness\": %s,\n      ",
              jsonString(s->program).c_str(), jsonString(s->search).c_str(), jsonString(s->truth.digits).c_str(),
              jsonNumber(s->returned).c_str(), jsonNumber(s->error).c_str(), s->iterations,
              s->robust ? "true" : "false", jsonString(s->robustness).c_str());
        if (s->orders.empty()) {
            print(out, "\"narrowing_per_trial\": %s, ", jsonNumber(s->narrowing).c_str());
        } else {
            put(out, "\"orders\": [");
            for (size_t i = 0; i < s->orders.size(); ++i) {
                print(out, "%s%s", i == 0 ? "" : ", ", jsonNumber(s->orders[i]).c_str());
            }
            put(out, "], ");
        }
        put(out, "\"iterates\": [");
        for (size_t i = 0; i < s->iterates.size(); ++i) {
            print(out, "%s\n        {\"point\": %s, \"abs_error\": %s}", i == 0 ? "" : ",",
                  jsonNumber(s->iterates[i].point).c_str(), jsonNumber(s->iterates[i].error).c_str());
        }
        put(out, "]}");
    });
    put(out, "\n}\n");
}

void writeMarkdown(const Report& report, OutputFile& out) {
    print(out,
          "# How far each method is from the exact answer\n\n"
          "Written by `accuracy_report`. Every result of the programs is compared with the exact value for the "
          "very double the program works on, computed with %s. Elementary functions of this build: %s.\n\n",
          report.exactArithmetic.c_str(), report.mathLibrary.c_str());
    writeDerivatives(report, out);
    writeSteps(report, out);
    writeFragility(report, out);
    writeSearches(report, out);
    writeWalks(out);
}

void writeDerivativeData(const Report& report, OutputFile& out) {
    const DerivativeTables& t = report.tables;
    put(out, "# x  exact f'(x)  |fp - exact|  |fpfinite - exact|  |af - exact|  envelope of the bound of fp and af\n");
    for (size_t i = 0; i < t.xs.size(); ++i) {
        print(out, "%.17g %.17g %.17g %.17g %.17g %.17g\n", t.xs[i], t.exact[i].hi, t.real.errors[i],
              t.finite.errors[i], t.autodiff.errors[i], bounds::closedFormEnvelope(t.xs[i]));
    }
}

void writeStepData(const Report& report, OutputFile& out) {
    put(out, "# h  max error  median error  truncation estimate  rounding estimate\n");
    for (const StepAccuracy& s : report.steps) {
        print(out, "%.17g %.17g %.17g %.17g %.17g\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
    }
}

// One block per search, separated by two blank lines (gnuplot's index).
void writeIterateData(const Report& report, OutputFile& out) {
    for (const SearchAccuracy* s : report.searches.all()) {
        print(out, "# %s %s: iterate, point, |point - root|\n", s->program.c_str(), s->search.c_str());
        for (size_t k = 0; k < s->iterates.size(); ++k) {
            print(out, "%zu %.17g %.17g\n", k, s->iterates[k].point, s->iterates[k].error);
        }
        put(out, "\n\n");
    }
}

void printSummary(const Report& report, OutputFile& out) {
    print(out, "Exact values: %s; elementary functions: %s\n", report.exactArithmetic.c_str(),
          report.mathLibrary.c_str());
    for (const ColumnAccuracy* c : report.tables.columns()) {
        print(out, "%-21s column %d %-8s max error %.2g, median %.2g, correctly rounded %s, %zu fragile lines\n",
              c->file.c_str(), c->column, c->evaluator.c_str(), c->maxError, c->medianError,
              percent(c->correctlyRounded, c->lines).c_str(), c->fragileLines.size());
    }
    const StepAccuracy& best = bestStep(report.steps, &StepAccuracy::maxError);
    print(out, "Finite-difference step: the largest error is smallest at h = %.0e (%.2g)\n", best.h, best.maxError);
    for (const SearchAccuracy* s : report.searches.all()) {
        print(out, "%-17s %-13s error %.2g after %d %s, %s\n", s->program.c_str(), s->search.c_str(), s->error,
              s->iterations, s->orders.empty() ? "trial points" : "steps", s->robust ? "robust" : "not robust");
    }
}

}  // namespace xsin
