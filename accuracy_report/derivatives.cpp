#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy_report/bounds.h"
#include "accuracy_report/faithful.h"
#include "accuracy_report/measure.h"
#include "experiments/experiments.h"
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

const Evaluator closedForm{"fp", fp, fpWith<FaithfulMath>, bounds::closedForm};
const Evaluator forwardDifference{"fpfinite", fpfinite, fpfiniteWith<FaithfulMath>, bounds::forwardDifference};
const Evaluator automatic{"af", afDerivative, afDerivativeWith<FaithfulMath>, bounds::closedForm};

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
                result.largestDifferenceOf = a;
            }
        }
        const std::string printedA = tableText(a);
        const std::string printedB = tableText(b);
        if (printedA != printedB) {
            ++result.differingLines;
            result.largestPrintedDifference = std::max(
                result.largestPrintedDifference, std::fabs(std::stod(printedA) - std::stod(printedB)));
        }
    }
    return result;
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
    tables.xs = abscissas(experiments::timedTables);
    tables.exact = exactDerivatives(tables.xs);
    tables.real = measureColumn(experiments::realGradientsFile, 2, closedForm, tables.xs, tables.exact);
    tables.finite = measureColumn(experiments::finiteGradientsFile, 2, forwardDifference, tables.xs, tables.exact);
    tables.autodiff = measureColumn(experiments::autodiffGradientsFile, 2, automatic, tables.xs, tables.exact);
    tables.autodiffAgainstReal = agreement(tables.xs, automatic, closedForm);

    tables.sideBySideXs = abscissas(experiments::sideBySideTable);
    const std::vector<DoubleDouble> exact = exactDerivatives(tables.sideBySideXs);
    tables.sideBySideReal = measureColumn(experiments::gradientFile, 2, closedForm, tables.sideBySideXs, exact);
    tables.sideBySideFinite =
        measureColumn(experiments::gradientFile, 3, forwardDifference, tables.sideBySideXs, exact);
    return tables;
}

std::vector<StepAccuracy> measureSteps() {
    const std::vector<double> xs = abscissas(experiments::sideBySideTable);
    const std::vector<DoubleDouble> exact = exactDerivatives(xs);
    const double u = bounds::unitRoundoff;
    std::vector<StepAccuracy> steps;
    for (double h : {1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15}) {
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
            step.rounding = std::max(step.rounding, (bounds::fRounding(h + x) + bounds::fRounding(x) +
                                                     u * std::fabs(x) * std::fabs(bounds::derivative(x))) /
                                                        h);
        }
        step.medianError = median(errors);
        steps.push_back(step);
    }
    return steps;
}

}  // namespace xsin
