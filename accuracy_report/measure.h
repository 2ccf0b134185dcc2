#pragma once

#include <string>
#include <vector>

#include "accuracy_report/exact.h"

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
    // The error against the evaluator's a-priori bound (accuracy_report/
    // bounds.h): the lines beyond it (none, if the derivation holds), and
    // the largest share of it that an error reaches, and where.
    std::vector<double> bounds;  // per line
    long beyondBound = 0;
    double largestShareOfBound = 0.0;
    double largestShareAt = 0.0;
};

// How two evaluators of the same derivative compare over a table: as
// doubles, and as the ten decimals the table prints.
struct Agreement {
    long differingDoubles = 0;
    double largestDifference = 0.0;
    double largestDifferenceOf = 0.0;  // one of the two values that differ most
    long differingLines = 0;
    double largestPrintedDifference = 0.0;
};

struct DerivativeTables {
    // gradient_timing's walk and its three tables.
    std::vector<double> xs;
    std::vector<DoubleDouble> exact;
    ColumnAccuracy real;      // fp
    ColumnAccuracy finite;    // fpfinite
    ColumnAccuracy autodiff;  // af
    Agreement autodiffAgainstReal;
    // gradient_table's walk and its table's columns 2 (fp) and 3 (fpfinite).
    std::vector<double> sideBySideXs;
    ColumnAccuracy sideBySideReal;
    ColumnAccuracy sideBySideFinite;

    // Every column, in the order of the files and their columns.
    std::vector<const ColumnAccuracy*> columns() const {
        return {&real, &finite, &autodiff, &sideBySideReal, &sideBySideFinite};
    }
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

// A trial point of a bracketing search and the bracket it was chosen in.
struct Trial {
    double a;
    double b;
    double t;
};

struct SearchAccuracy {
    std::string program;
    std::string search;
    ExactRoot truth;
    double slopeAtZero = 0.0;  // |f'| at the exact zero
    double returned = 0.0;
    double error = 0.0;
    int iterations = 0;  // trial points tested, or Newton steps taken
    bool robust = false;
    std::string robustness;  // what the check found, in a sentence
    std::vector<Iterate> iterates;
    // Bracketing: every trial point, and the factor by which the bracket
    // shrinks per trial point, on average over the search.
    std::vector<Trial> trials;
    double narrowing = 0.0;
    // Newton: the order observed at each step from three consecutive
    // errors, and how many faithful libraries the whole search was run under.
    std::vector<double> orders;
    long libraries = 0;
};

struct Searches {
    SearchAccuracy midpoint;      // bisection_compare (and bisection_newton)
    SearchAccuracy quarterPoint;  // bisection_compare
    SearchAccuracy newton;        // bisection_newton
    SearchAccuracy expEquation;   // exp_bisection

    std::vector<const SearchAccuracy*> all() const { return {&midpoint, &quarterPoint, &newton, &expEquation}; }
};

// The searches as the programs run them.
Searches measureSearches();

// The middle value; for an even count, the mean of the two middle ones.
double median(std::vector<double> values);

}  // namespace xsin
