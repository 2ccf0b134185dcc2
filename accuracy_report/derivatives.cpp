#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy_report/faithful.h"
#include "accuracy_report/measure.h"
#include "binary64/binary64.h"
#include "experiments/experiments.h"
#include "numerics/bounds.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/decimal.h"

namespace xsin {

namespace {

std::vector<double> abscissas(const experiments::Walk& walk) {
    std::vector<double> xs;
    walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps), [&](double x) { xs.push_back(x); });
    return xs;
}

// The text of a table column, as the table writers print it.
std::string tableText(double value) {
    char text[maxFixedWidth + 1];
    return std::string(text, fixedDecimal(text, value));
}

// A line is fragile when a faithful library could make it print otherwise.
bool fragile(double x, double printed, double (*overFaithful)(double)) {
    const std::string text = tableText(printed);
    bool differs = false;
    forEveryFaithfulLibrary([&] { differs = differs || tableText(overFaithful(x)) != text; });
    return differs;
}

struct Evaluator {
    const char* name;
    double (*value)(double);
    double (*overFaithful)(double);
    double (*bound)(double);
};

const Evaluator closedForm{"fp", fp, fpWith<FaithfulMath>, bounds::fp};
const Evaluator forwardDifference{"fpfinite", fpfinite, fpfiniteWith<FaithfulMath>, bounds::fpfinite};
const Evaluator automatic{"af", afDerivative, afDerivativeWith<FaithfulMath>, bounds::af};

ColumnAccuracy measureColumn(const char* file, int column, const Evaluator& evaluator, const std::vector<double>& xs,
                             const std::vector<DoubleDouble>& exact) {
    ColumnAccuracy result;
    result.file = file;
    result.column = column;
    result.evaluator = evaluator.name;
    result.lines = static_cast<long>(xs.size());
    for (size_t line = 0; line < xs.size(); ++line) {
        const double x = xs[line];
        const double computed = evaluator.value(x);
        const double error = errorOf(computed, exact[line]);
        result.errors.push_back(error);
        if (error > result.maxError) {
            result.maxError = error;
            result.maxErrorAt = x;
        }
        result.correctlyRounded += computed == exact[line].hi;
        if (fragile(x, computed, evaluator.overFaithful)) {
            result.fragileLines.push_back(static_cast<long>(line) + 1);
        }
        const double bound = evaluator.bound(x);
        result.bounds.push_back(bound);
        result.beyondBound += error > bound;
        if (bound > 0 && error / bound > result.largestShareOfBound) {
            result.largestShareOfBound = error / bound;
            result.largestShareAt = x;
        }
    }
    result.medianError = median(result.errors);
    result.correctlyRoundedShare = static_cast<double>(result.correctlyRounded) / static_cast<double>(result.lines);
    result.allCorrectlyRounded = result.correctlyRounded == result.lines;
    // Half the bound or more: the derivation does not overstate the error.
    result.boundTight = result.largestShareOfBound >= 0.5;
    return result;
}

std::vector<DoubleDouble> exactDerivatives(const std::vector<double>& xs) {
    std::vector<DoubleDouble> exact;
    exact.reserve(xs.size());
    for (double x : xs) {
        exact.push_back(exactDerivative(x));
    }
    return exact;
}

Agreement agreement(const std::vector<double>& xs, const Evaluator& one, const Evaluator& other) {
    Agreement result;
    for (double x : xs) {
        const double a = one.value(x);
        const double b = other.value(x);
        if (a != b) {
            ++result.differingDoubles;
            if (std::fabs(a - b) > result.largestDifference) {
                result.largestDifference = std::fabs(a - b);
                result.largestDifferenceUlps = result.largestDifference / binary64::ulp(a);
                result.largestDifferenceNear = std::fabs(a);
            }
        }
        const std::string printedA = tableText(a);
        const std::string printedB = tableText(b);
        if (printedA != printedB) {
            ++result.differingLines;
            result.largestPrintedDifference =
                std::max(result.largestPrintedDifference, std::fabs(std::stod(printedA) - std::stod(printedB)));
        }
    }
    return result;
}

// What makes up the forward difference's error, at its largest over the
// walk xs: truncation h/2*|f''|, with f'' growing like 4|x|^3, and the
// rounding of the step h + x - x (half an ulp of x) and of the two values
// of f (u|x|^3 each), divided by h.
FiniteDifferenceErrors finiteDifferenceErrors(const DerivativeTables& t, const experiments::Walk& walk) {
    FiniteDifferenceErrors e;
    const double h = experiments::finiteStep;
    const double u = binary64::unitRoundoff;
    const double end = t.largestAbscissa;
    e.step = h;
    e.start = walk.lo;
    e.finiteAtStart = fpfinite(walk.lo);
    e.closedAtStart = fp(walk.lo);
    e.ordersAboveClosedForm = static_cast<int>(std::round(std::log10(t.finite.medianError / t.real.medianError)));
    e.truncationAtEnd = h / 2 * 4 * end * end * end;
    e.halfUlpAtEnd = binary64::ulp(std::nextafter(end, 0.0)) / 2;
    e.relativeStepError = e.halfUlpAtEnd / h;
    for (double x : t.xs) {
        e.largestStepError = std::max(e.largestStepError, std::fabs(bounds::derivative(x)) * binary64::ulp(x) / 2 / h);
    }
    e.fRoundingAtEnd = u * end * end * end / h;
    e.fRoundingNearZero = u / h;
    return e;
}

}  // namespace

double median(std::vector<double> values) {
    if (values.empty()) {
        return std::nan("");
    }
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<long>(middle));
    return lower + (upper - lower) / 2;
}

DerivativeTables measureTables() {
    DerivativeTables tables;
    const auto walk = experiments::timedTables;
    tables.xs = abscissas(walk);
    tables.exact = exactDerivatives(tables.xs);
    tables.real = measureColumn(experiments::realGradientsFile, 2, closedForm, tables.xs, tables.exact);
    tables.finite = measureColumn(experiments::finiteGradientsFile, 2, forwardDifference, tables.xs, tables.exact);
    tables.autodiff = measureColumn(experiments::autodiffGradientsFile, 2, automatic, tables.xs, tables.exact);
    tables.autodiffAgainstReal = agreement(tables.xs, automatic, closedForm);
    for (double x : tables.xs) {
        tables.fpEnvelope.push_back(bounds::fpEnvelope(x));
    }
    tables.fpTerms = bounds::fpTerms;
    tables.largestAbscissa = std::max(std::fabs(walk.lo), std::fabs(walk.hi));
    const double end = tables.largestAbscissa;
    tables.closedFormBoundAtEnd = bounds::fpTerms.x4S * end * end * end * end * binary64::unitRoundoff;
    tables.finiteDifference = finiteDifferenceErrors(tables, walk);

    tables.sideBySideXs = abscissas(experiments::sideBySideTable);
    tables.sideBySideExact = exactDerivatives(tables.sideBySideXs);
    tables.sideBySideReal =
        measureColumn(experiments::gradientFile, 2, closedForm, tables.sideBySideXs, tables.sideBySideExact);
    tables.sideBySideFinite =
        measureColumn(experiments::gradientFile, 3, forwardDifference, tables.sideBySideXs, tables.sideBySideExact);
    return tables;
}

Steps measureSteps(const DerivativeTables& tables) {
    const std::vector<double>& xs = tables.sideBySideXs;
    const std::vector<DoubleDouble>& exact = tables.sideBySideExact;
    const double u = binary64::unitRoundoff;
    Steps steps;
    steps.abscissas = static_cast<long>(xs.size());
    for (double h : experiments::finiteStepSweep) {
        StepAccuracy step;
        step.h = h;
        std::vector<double> errors;
        for (size_t i = 0; i < xs.size(); ++i) {
            const double x = xs[i];
            const double error = errorOf(forwardDifferenceWith<Math>(x, h), exact[i]);
            errors.push_back(error);
            step.maxError = std::max(step.maxError, error);
            step.truncation = std::max(step.truncation, h / 2 * std::fabs(bounds::secondDerivative(x)));
            // h + x is rounded, so the step taken is off by up to u*|x|,
            // a relative error of u*|x|/h in the derivative.
            step.rounding =
                std::max(step.rounding,
                         (bounds::f(h + x) + bounds::f(x) + u * std::fabs(x) * std::fabs(bounds::derivative(x))) / h);
        }
        step.medianError = median(errors);
        steps.all.push_back(step);
    }
    const auto best = [&](double StepAccuracy::*error) {
        return *std::min_element(steps.all.begin(), steps.all.end(),
                                 [error](const StepAccuracy& a, const StepAccuracy& b) { return a.*error < b.*error; });
    };
    steps.bestByMax = best(&StepAccuracy::maxError);
    steps.bestByMedian = best(&StepAccuracy::medianError);
    steps.crossingAbove = steps.crossingBelow = std::nan("");
    for (const StepAccuracy& s : steps.all) {
        if (s.truncation > s.rounding) {
            steps.crossingAbove = s.h;
            steps.crossingBelow = s.h / 10;
        }
    }
    steps.programStep = experiments::finiteStep;
    steps.sqrtEpsilon = std::sqrt(binary64::epsilon);
    return steps;
}

}  // namespace xsin
