// accuracy.md: the report's tables, and what they mean. Formatting only:
// every number, and every fact a sentence states, comes from the report.

#include <string>
#include <vector>

#include "accuracy_report/text.h"
#include "accuracy_report/writers.h"
#include "output/decimal.h"
#include "output/trace.h"

namespace xsin {

namespace {

using text::format;
using text::percent;

std::string fragileList(const std::vector<long>& lines, size_t most) {
    std::string list;
    for (size_t i = 0; i < lines.size() && i < most; ++i) {
        list += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    if (lines.size() > most) {
        list += format(", ... (%zu more)", lines.size() - most);
    }
    return list;
}

// "none", or a count.
std::string countOrNone(size_t count) {
    return count == 0 ? "none" : std::to_string(count);
}

// "all 1001 lines", or "all but 3 of the 1001 lines".
std::string allOrAllBut(long beyond, long lines) {
    return beyond == 0 ? format("all %ld lines", lines) : format("all but %ld of the %ld lines", beyond, lines);
}

// "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string list;
    for (size_t i = 0; i < items.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    }
    return list;
}

std::string convergence(const SearchAccuracy& search) {
    if (search.kind == SearchKind::bracketing) {
        return format("narrowing %.4f per trial point (%.2f bits)", search.narrowing, search.bitsPerTrial);
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
    std::string superscripted;
    for (char c : std::to_string(value)) {
        superscripted += c == '-' ? "⁻" : digits[c - '0'];
    }
    return superscripted;
}

// A zero of x*sin(x^2) by its name: "-√(3π)", or "0".
std::string zeroName(const SinSquareZero& zero) {
    return zero.k == 0 ? "0" : format("%s√(%ldπ)", zero.negative ? "-" : "", zero.k);
}

// A decimal place as an English ordinal: 7 is the "seventh".
std::string ordinal(int place) {
    static const char* const names[] = {"first",   "second", "third", "fourth", "fifth",    "sixth",
                                        "seventh", "eighth", "ninth", "tenth",  "eleventh", "twelfth"};
    return place >= 1 && place <= 12 ? names[place - 1] : format("%dth", place);
}

void writeDerivativeTable(const DerivativeTables& t, OutputFile& out) {
    out.put(
        "## Derivative tables\n\n"
        "| file | column | evaluator | lines | max error | at x | median error | correctly rounded | "
        "fragile lines |\n|---|---:|---|---:|---:|---:|---:|---:|---:|\n");
    for (const ColumnAccuracy* c : t.columns()) {
        out.print("| %s | %d | `%s` | %ld | %.2g | %.4f | %.2g | %ld (%s) | %zu |\n", c->file.c_str(), c->column,
                  c->evaluator.c_str(), c->lines, c->maxError, c->maxErrorAt, c->medianError, c->correctlyRounded,
                  percent(c->correctlyRoundedShare).c_str(), c->fragileLines.size());
    }
    out.put(
        "\n\"Correctly rounded\" counts the results equal to the exact f′(x) rounded to the nearest double; "
        "\"fragile lines\" are explained below.\n\n");
}

void writeClosedForm(const DerivativeTables& t, OutputFile& out) {
    const ColumnAccuracy& real = t.real;
    const ColumnAccuracy& autodiff = t.autodiff;
    const bool allCorrect = real.allCorrectlyRounded;
    const bounds::FpTerms& terms = t.fpTerms;
    out.print(
        "**The closed form is %scorrectly rounded.** `fp` evaluates the textbook formula, %s it is the "
        "correctly rounded derivative on %s%s of the %ld abscissas and is off by up to %.2g (at x = %.4f). ",
        allCorrect ? "" : "not ", allCorrect ? "and" : "yet", allCorrect ? "" : "only ",
        percent(real.correctlyRoundedShare).c_str(), real.lines, real.maxError, real.maxErrorAt);
    out.print(
        "The formula is exact; its first step is not: x·x is rounded before the sine, by up to half a unit in "
        "the last place of x², and 2x²·cos(x²) amplifies that. With u = 2⁻⁵³, S = |sin x²| and C = |cos x²|, "
        "and a math library whose sine and cosine are within one unit in the last place, the error is at "
        "most, to first order,\n\n    u·(%gx⁴·S + %gx²·C + %gS)\n\n"
        "(the rounding of x·x moves the sine by u·x²·C and the cosine by u·x²·S; each function adds up to 2u "
        "of its value; the two products and the sum add u each). ",
        terms.x4S, terms.x2C, terms.S);
    out.print("It grows like %gx⁴u, %.2g at |x| = %g. ", terms.x4S, t.closedFormBoundAtEnd, t.largestAbscissa);
    out.print(
        "`fp` stays within this bound on %s of its table and `af` on %s (and `fpfinite` within a bound derived "
        "the same way, with truncation, on %s), and the largest error of `fp` reaches %.0f %% of it (at "
        "x = %.4f): the bound is %s. ",
        allOrAllBut(real.beyondBound, real.lines).c_str(), allOrAllBut(autodiff.beyondBound, autodiff.lines).c_str(),
        allOrAllBut(t.finite.beyondBound, t.finite.lines).c_str(), 100 * real.largestShareOfBound, real.largestShareAt,
        real.boundTight ? "tight" : "far from reached");
    out.print(
        "Automatic differentiation computes the same sine and cosine of the same rounded x·x, with the same "
        "number of roundings, and is off by as much (up to %.2g, correctly rounded on %s).\n\n",
        autodiff.maxError, percent(autodiff.correctlyRoundedShare).c_str());
}

void writeAgreement(const DerivativeTables& t, OutputFile& out) {
    const Agreement& a = t.autodiffAgainstReal;
    out.put(
        "**Automatic differentiation against the closed form.** Both compute f′(x) = sin(x²) + 2x²·cos(x²) "
        "from the same sine and cosine, associated differently (s + ((2x)·c)·x against ((2x)·x)·c + s). ");
    out.print(
        "As doubles they differ on %ld of the %ld abscissas, by at most %.2g (%.0f units in the last place of "
        "numbers near %.0f); printed to ten decimals %ld lines differ, by at most %.0e in the tenth "
        "decimal, where the two values sit on either side of a rounding boundary.\n\n",
        a.differingDoubles, t.real.lines, a.largestDifference, a.largestDifferenceUlps, a.largestDifferenceNear,
        a.differingLines, a.largestPrintedDifference);
}

void writeFiniteDifference(const DerivativeTables& t, OutputFile& out) {
    const ColumnAccuracy& finite = t.finite;
    const FiniteDifferenceErrors& e = t.finiteDifference;
    const double end = t.largestAbscissa;
    out.print(
        "**The finite difference.** Its error, up to %.2g (at x = %.4f) with a median of %.2g, is %d orders "
        "of magnitude above that of the closed form, and %s of its lines %s correctly rounded. ",
        finite.maxError, finite.maxErrorAt, finite.medianError, e.ordersAboveClosedForm,
        countOrNone(static_cast<size_t>(finite.correctlyRounded)).c_str(), finite.correctlyRounded == 1 ? "is" : "are");
    out.print("At x = %g it gives %.10f against %.10f. ", e.start, e.finiteAtStart, e.closedAtStart);
    out.put("Two errors of similar size make it up, both growing with |x|:\n");
    out.print(
        "- truncation: the forward difference is off by about h/2·f″(x), and f″(x) = 6x·cos(x²) − "
        "4x³·sin(x²) grows like 4|x|³, up to about %.1g at |x| = %g with h = %g;\n",
        e.truncationAtEnd, end, e.step);
    out.print(
        "- rounding: h + x is rounded to a double, so the step actually taken, (h + x) − x, differs from %g "
        "by up to half a unit in the last place of x (%.2g near |x| = %g), a relative error of up to %.2g "
        "that multiplies f′ (up to %.2g over the table); and each value of f is off by up to u·|x|³, which "
        "the division by h turns into up to %.1g each. Near 0, where f″ is small, only the rounding of f "
        "divided by h is left: about %.1g.\n\n",
        e.step, e.halfUlpAtEnd, end, e.relativeStepError, e.largestStepError, e.fRoundingAtEnd, e.fRoundingNearZero);
}

void writeSteps(const Steps& steps, OutputFile& out) {
    out.print(
        "## The finite-difference step\n\n"
        "The forward difference (f(h + x) − f(x))/h over the %ld abscissas of `gradient_table`, for each h "
        "the double nearest the power of ten, with the largest truncation error h/2·|f″(x)| and the largest "
        "rounding error (the errors of the two values of f and of the step h + x − x actually taken, divided "
        "by h) over those abscissas.\n\n"
        "| h | max error | median error | truncation estimate | rounding estimate |\n"
        "|---:|---:|---:|---:|---:|\n",
        steps.abscissas);
    for (const StepAccuracy& s : steps.all) {
        out.print("| %.0e | %.2g | %.2g | %.2g | %.2g |\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
    }
    out.put(
        "\nAbove the best step the truncation error falls tenfold with each tenfold smaller h; below it the "
        "rounding error grows tenfold. ");
    out.print(
        "The largest error is smallest at h = %.0e (%.2g) and the median error at h = %.0e (%.2g); the two "
        "estimates cross between h = %.0e and %.0e. ",
        steps.bestByMax.h, steps.bestByMax.maxError, steps.bestByMedian.h, steps.bestByMedian.medianError,
        steps.crossingAbove, steps.crossingBelow);
    out.print("The programs' h = %g is about the square root of the machine epsilon, %.1e.\n\n", steps.programStep,
              steps.sqrtEpsilon);
}

void writeFragility(const Report& report, OutputFile& out) {
    const DerivativeTables& t = report.tables;
    const Fragility& fragility = report.fragility;
    out.put(
        "## Fragile lines: what another math library could change\n\n"
        "A printed line is *fragile* when its text could be different under another math library whose "
        "`sin` and `cos` are within one unit in the last place: `accuracy_report` lets each call return "
        "either of the two doubles that enclose the exact value (a library is a function: the same argument "
        "gets the same answer), tries every combination and compares the printed text. ");
    out.print(
        "%s has %zu fragile lines of %ld and %s's third column %zu of %ld: the difference of two sines divided "
        "by %g puts the last bit of each sine (up to about %.1g in f) at the %s decimal and below, so nearly "
        "every finite-difference line depends on it. ",
        t.finite.file.c_str(), t.finite.fragileLines.size(), t.finite.lines, t.sideBySideFinite.file.c_str(),
        t.sideBySideFinite.fragileLines.size(), t.sideBySideFinite.lines, report.steps.programStep,
        fragility.lastBitOfF, ordinal(fragility.decimalPlace).c_str());
    out.print(
        "The closed form and automatic differentiation depend on it only next to a rounding boundary of the "
        "tenth decimal: %s lines of %s, %s of %s and %s of %s's second column. ",
        countOrNone(t.real.fragileLines.size()).c_str(), t.real.file.c_str(),
        countOrNone(t.autodiff.fragileLines.size()).c_str(), t.autodiff.file.c_str(),
        countOrNone(t.sideBySideReal.fragileLines.size()).c_str(), t.sideBySideReal.file.c_str());
    out.print("The build's own math library answered %s %ld calls checked with one of the two enclosing doubles.\n\n",
              fragility.library.outside == 0 ? "every one of the"
                                             : format("all but %ld of the", fragility.library.outside).c_str(),
              fragility.library.checked);
    for (const ColumnAccuracy* c : t.columns()) {
        if (!c->fragileLines.empty()) {
            out.print("- Fragile lines of %s, column %d: %s.\n", c->file.c_str(), c->column,
                      fragileList(c->fragileLines, 40).c_str());
        }
    }
    out.put("\n");
}

void writeSearchTable(const Searches& s, OutputFile& out) {
    out.put(
        "## Root searches\n\n"
        "| program | search | true root | returned | error | iterations | convergence | robust |\n"
        "|---|---|---|---:|---:|---:|---|---|\n");
    for (const SearchAccuracy* search : s.all()) {
        out.print("| %s | %s | %s | %.17g | %.2g | %d | %s | %s |\n", search->program.c_str(), search->search.c_str(),
                  search->truth.digits.c_str(), search->returned, search->error, search->iterations,
                  convergence(*search).c_str(), search->robust ? "yes" : "no");
    }
    out.put("\n");
}

void writeStops(const Searches& s, OutputFile& out) {
    const SearchAccuracy& mid = s.midpoint;
    const SearchAccuracy& quarter = s.quarterPoint;
    out.print(
        "**Where each search stops.** The searches stop at the first trial point with |f| < %g, which "
        "allows a distance of about %g/|f′| from a simple zero: %.2g at %s, where |f′| = %ldπ, and %.2g at "
        "%s, where |f′| = %ldπ. ",
        s.tolerance, s.tolerance, mid.toleranceDistance, zeroName(mid.zero).c_str(), mid.slopeInPi,
        quarter.toleranceDistance, zeroName(quarter.zero).c_str(), quarter.slopeInPi);
    out.print(
        "The midpoint search stops %.2g from its zero, the quarter-point search %.2g from its own, and "
        "exp_bisection %.2g from the root of eˣ + x − 5, where the slope eˣ + 1 is only %.2g. ",
        mid.error, quarter.error, s.expEquation.error, s.expEquation.slopeAtZero);
    out.print(
        "Newton's method, which tests |f| only after a step has been taken, lands within %.2g, %.2f units in "
        "the last place of %.17g.\n\n",
        s.newton.error, s.newton.errorUlps, s.newton.returned);
}

void writeTrialCounts(const Searches& s, OutputFile& out) {
    const SearchAccuracy& mid = s.midpoint;
    const SearchAccuracy& quarter = s.quarterPoint;
    out.print(
        "**How many trial points the bracketing rules need.** The midpoint search tests %d trial points, the "
        "quarter-point search %d. ",
        mid.iterations, quarter.iterations);
    out.print("The midpoint halves the bracket at every trial point: after %d halvings it is %g · 2%s ≈ %.2g wide. ",
              mid.iterations - 1, s.bracketB - s.bracketA, superscript(1 - mid.iterations).c_str(),
              s.midpointFinalWidth);
    out.print(
        "The quarter point keeps a quarter of the bracket when the sign change lies in the left quarter and "
        "three quarters otherwise; when the root sits anywhere, that is %.2f bits per trial point on average "
        "against 1, and on this search it measures %.2f (the bracket shrinks by %.4f per trial point), so it "
        "needs about %.0f %% more trial points. ",
        s.expectedQuarterBits, quarter.bitsPerTrial, quarter.narrowing, 100 * s.quarterExtraShare);
    out.print(
        "The trace shows it: from line %zu to %zu the right end stays at %s while the left end creeps up by "
        "quarters. ",
        s.quarterCreep.first, s.quarterCreep.last, sixDecimals(s.quarterCreep.end).c_str());
    out.print(
        "The two searches also stop at %s, %s and %s (f has %ld zeros in [%g, %g]). Neither distance shrinks "
        "steadily: a bracket can be narrow while its trial point sits near its far end.\n\n",
        s.bracketingFindSameZero ? "the same zero" : "different zeros", zeroName(mid.zero).c_str(),
        zeroName(quarter.zero).c_str(), s.zerosInBracket, s.bracketA, s.bracketB);
}

void writeNewton(const Searches& s, OutputFile& out) {
    const SearchAccuracy& newton = s.newton;
    std::vector<std::string> errors;
    for (const Iterate& iterate : newton.iterates) {
        errors.push_back(format("%.2g", iterate.error));
    }
    std::string orders;
    for (double order : newton.orders) {
        orders += (orders.empty() ? "" : ", ") + format("%.1f", order);
    }
    const bool another = s.newtonFindsAnotherZero;
    out.print(
        "**Why Newton finds %s root.** Newton's method from %g follows the tangent: f(%g) = %.3f and "
        "f′(%g) = %.1f, so the first step goes to %s, towards %s ≈ %s, the zero nearest to %g, which lies %s "
        "[%g, %g]. ",
        another ? "another" : "the same", s.newtonStart, s.newtonStart, s.fAtStart, s.newtonStart, s.fpAtStart,
        sixDecimals(s.newtonFirstStep).c_str(), zeroName(newton.zero).c_str(),
        sixDecimals(newton.truth.value.hi).c_str(), s.newtonStart, s.newtonZeroInBracket ? "inside" : "just outside",
        s.bracketA, s.bracketB);
    out.put(
        "Nothing keeps Newton inside the interval, while the bracketing searches only try points inside it and "
        "find a zero with a sign change in their bracket. ");
    out.print(
        "Its errors, %s, show the quadratic convergence (observed order %s) until the double precision stops "
        "it; bisection needs %d trial points for %.2g.\n\n",
        listed(errors).c_str(), orders.c_str(), s.midpoint.iterations, s.midpoint.error);
}

void writeRobustness(const Searches& s, OutputFile& out) {
    const bool all = s.allRobust;
    out.print(
        "**%s.** Along each search, `accuracy_report` checks every decision (the tolerance test, the sign of "
        "the product) and every printed value under every faithful math library, as for the fragile lines; "
        "Newton's iterates themselves may move with the library, so there the whole search is rerun under "
        "each of the %ld libraries that answer its calls differently. %s\n\n",
        all ? "Robust" : "Not all robust", s.newton.libraries,
        all ? format("None of the %zu traces, nor any printed root, could change.", s.all().size()).c_str()
            : format("%ld of the %zu searches are robust:", s.robustCount, s.all().size()).c_str());
    for (const SearchAccuracy* search : s.all()) {
        out.print("- %s, %s: %s.\n", search->program.c_str(), search->search.c_str(), search->robustness.c_str());
    }
    out.put("\n");
}

// "a little above", "a little below", or "exactly".
std::string relation(Relation r) {
    return r == Relation::above ? "a little above" : r == Relation::below ? "a little below" : "exactly";
}

void writeWalks(const Walks& w, OutputFile& out) {
    if (w.lines != w.stepsAndEnds) {
        out.print("## %ld lines, not %ld\n\n", w.lines, w.stepsAndEnds);
    } else {
        out.print("## %ld lines, as the %d steps and the start give\n\n", w.lines, w.steps);
    }
    if (w.stepAgainstQuotient == Relation::exactly) {
        out.print("The step %g/%d is the double %g exactly, and the abscissa is accumulated by %d rounded additions. ",
                  w.hi - w.lo, w.steps, w.step, w.steps);
    } else {
        out.print(
            "The step %g/%d is stored as the double %.24f…, %s %g, and the abscissa is accumulated by %d rounded "
            "additions. ",
            w.hi - w.lo, w.steps, w.step, relation(w.stepAgainstQuotient).c_str(), w.step, w.steps);
    }
    switch (w.end) {
    case WalkEnd::pastHi:
        out.print("It reaches %.16g for the last line and then %.17g, just above %g, so no line is written for %g. ",
                  w.last, w.next, w.hi, w.hi);
        break;
    case WalkEnd::onHi:
        out.print("It reaches %g itself for the last line, so a line is written for %g. ", w.hi, w.hi);
        break;
    case WalkEnd::stalled:
        out.print("It reaches %.16g, where adding the step no longer moves it, and stops there, short of %g. ", w.last,
                  w.hi);
        break;
    }
    out.print("An abscissa computed as %g + i·step would land %s %g and give %ld lines. ", w.lo,
              w.computedLandsOnHi ? "exactly on" : "near", w.hi, w.computedLines);
    char lastText[maxFixedWidth + 1];
    const std::string sideLastPrinted(lastText, fixedDecimal(lastText, w.sideLast, 0));
    out.print("In `gradient_table` the %d additions of %g stay %s %g (%.15g), so its last line is for %s.\n",
              w.sideSteps, w.sideStep, w.sideLastOnHi ? "on" : "just below", w.sideHi, w.sideLast,
              sideLastPrinted.c_str());
}

}  // namespace

void writeMarkdown(const Report& report, OutputFile& out) {
    out.print(
        "# How far each method is from the exact answer\n\n"
        "Written by `accuracy_report`. Every result of the programs is compared with the exact value for the "
        "very double the program works on, computed with %s. Elementary functions of this build: %s.\n\n",
        report.exactArithmetic.c_str(), report.mathLibrary.c_str());
    writeDerivativeTable(report.tables, out);
    writeClosedForm(report.tables, out);
    writeAgreement(report.tables, out);
    writeFiniteDifference(report.tables, out);
    writeSteps(report.steps, out);
    writeFragility(report, out);
    writeSearchTable(report.searches, out);
    writeStops(report.searches, out);
    writeTrialCounts(report.searches, out);
    writeNewton(report.searches, out);
    writeRobustness(report.searches, out);
    writeWalks(report.walks, out);
}

}  // namespace xsin
