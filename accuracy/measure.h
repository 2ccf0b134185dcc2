#pragma once

#include <string>
#include <vector>

#include "accuracy/exact.h"

// What accuracy_report measures: every derivative the tables print, the
// finite-difference step, and every root search, against exact values.

namespace xsin {

// One column of a derivative table, compared line by line with the exact
// derivative at the line's abscissa.
struct ColumnAccuracy {
    std::string file;
    int column = 0;  // 1-based, as in the file
    std::string evaluator;
    long lines = 0;
    double maxError = 0.0;
    double maxErrorAt = 0.0;  // the abscissa of the largest error
    double medianError = 0.0;
    long correctlyRounded = 0;       // results equal to the exact value rounded to nearest
    std::vector<long> fragileLines;  // 1-based
    std::vector<double> errors;      // per line
};

struct DerivativeTables {
    std::vector<double> xs;  // the abscissas of gradient_timing's tables
    std::vector<DoubleDouble> exact;
    // realgradients.txt, finitegradients.txt, autodiffgradients.txt, then
    // gradient.txt's columns 2 and 3.
    std::vector<ColumnAccuracy> columns;
};

DerivativeTables measureTables();

// The forward difference (f(h + x) - f(x))/h at one step h over the
// abscissas of gradient_table, with two estimates of its error, each the
// largest over those abscissas: truncation h/2*|f''(x)|, and rounding, the
// error of the two values of f and of the step actually taken, divided by h.
struct StepAccuracy {
    double h = 0.0;
    double maxError = 0.0;
    double medianError = 0.0;
    double truncation = 0.0;
    double rounding = 0.0;
};

// h = the doubles nearest 1e-1, 1e-2, ..., 1e-15.
std::vector<StepAccuracy> measureSteps();

struct Iterate {
    double point;
    double error;
};

struct SearchAccuracy {
    std::string program;
    std::string search;
    ExactRoot truth;
    double returned = 0.0;
    double error = 0.0;
    int iterations = 0;  // trial points tested, or Newton steps taken
    bool robust = false;
    std::string robustness;  // what the check found, in a sentence
    std::vector<Iterate> iterates;
    // Bracketing: the factor by which the bracket shrinks per trial point,
    // on average over the search.
    double narrowing = 0.0;
    // Newton: the order observed at each step from three consecutive errors.
    std::vector<double> orders;
};

// bisection_compare's two searches, bisection_newton's Newton search and
// exp_bisection's search, as the programs run them.
std::vector<SearchAccuracy> measureSearches();

double median(std::vector<double> values);

}  // namespace xsin
