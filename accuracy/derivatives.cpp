#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy/faithful.h"
#include "accuracy/measure.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"

namespace xsin {

namespace {

// The walks of the two table programs: gradient_timing's [-10, 10] in
// 100000 steps, gradient_table's in 1000.
std::vector<double> abscissas(double steps) {
    std::vector<double> xs;
    walkAbscissa(-10.0, 10.0, steps, [&](double x) { xs.push_back(x); });
    return xs;
}

std::string tableText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%20.10lf", value);
    return text;
}

// A line is fragile when a faithful library could make it print otherwise.
bool fragile(double x, double printed, double (*overFaithful)(double)) {
    const std::string text = tableText(printed);
    bool differs = false;
    forEveryFaithfulLibrary([&] { differs = differs || tableText(overFaithful(x)) != text; });
    return differs;
}

ColumnAccuracy measureColumn(const char* file, int column, const char* evaluator, const std::vector<double>& xs,
                             const std::vector<DoubleDouble>& exact, double (*value)(double),
                             double (*overFaithful)(double)) {
    ColumnAccuracy result;
    result.file = file;
    result.column = column;
    result.evaluator = evaluator;
    result.lines = static_cast<long>(xs.size());
    for (size_t line = 0; line < xs.size(); ++line) {
        const double computed = value(xs[line]);
        const double error = errorOf(computed, exact[line]);
        result.errors.push_back(error);
        if (error > result.maxError) {
            result.maxError = error;
            result.maxErrorAt = xs[line];
        }
        result.correctlyRounded += computed == exact[line].hi;
        if (fragile(xs[line], computed, overFaithful)) {
            result.fragileLines.push_back(static_cast<long>(line) + 1);
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
    tables.xs = abscissas(100000.0);
    tables.exact = exactDerivatives(tables.xs);
    const auto& xs = tables.xs;
    const auto& exact = tables.exact;
    tables.columns.push_back(measureColumn("realgradients.txt", 2, "fp", xs, exact, fp, fpWith<FaithfulMath>));
    tables.columns.push_back(
        measureColumn("finitegradients.txt", 2, "fpfinite", xs, exact, fpfinite, fpfiniteWith<FaithfulMath>));
    tables.columns.push_back(
        measureColumn("autodiffgradients.txt", 2, "af", xs, exact, afDerivative, afDerivativeWith<FaithfulMath>));

    const std::vector<double> tableXs = abscissas(1000.0);
    const std::vector<DoubleDouble> tableExact = exactDerivatives(tableXs);
    tables.columns.push_back(measureColumn("gradient.txt", 2, "fp", tableXs, tableExact, fp, fpWith<FaithfulMath>));
    tables.columns.push_back(
        measureColumn("gradient.txt", 3, "fpfinite", tableXs, tableExact, fpfinite, fpfiniteWith<FaithfulMath>));
    return tables;
}

std::vector<StepAccuracy> measureSteps() {
    const std::vector<double> xs = abscissas(1000.0);
    const std::vector<DoubleDouble> exact = exactDerivatives(xs);
    const double u = DBL_EPSILON / 2;  // the unit roundoff
    // The rounding error of the computed f(x) = x*sin(x^2): the argument x*x
    // is off by up to u*x^2, which the sine turns into x^2*|cos(x^2)|*u, times
    // |x|; the sine and the product add about 3u*|f(x)|.
    const auto errorOfF = [u](double x) {
        return u * std::fabs(x) * (x * x * std::fabs(std::cos(x * x)) + 3 * std::fabs(std::sin(x * x)));
    };
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
            const double x2 = x * x;
            const double second = 6 * x * std::cos(x2) - 4 * x * x2 * std::sin(x2);
            step.truncation = std::max(step.truncation, h / 2 * std::fabs(second));
            // h + x is rounded, so the step taken is off by up to u*|x|,
            // a relative error of u*|x|/h in the derivative.
            const double derivative = std::sin(x2) + 2 * x2 * std::cos(x2);
            step.rounding =
                std::max(step.rounding, (errorOfF(h + x) + errorOfF(x) + u * std::fabs(x) * std::fabs(derivative)) / h);
        }
        step.medianError = median(errors);
        steps.push_back(step);
    }
    return steps;
}

}  // namespace xsin
