#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "accuracy_report/exact.h"
#include "accuracy_report/faithful.h"
#include "numerics/bounds.h"
#include "numerics/numerics.h"

// What accuracy_report found: every number that its files print, measured
// and computed before any of them is written (accuracy_report/measure.h).
// The writers (accuracy_report/writers.h) only format these.

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
    long correctlyRounded = 0;  // results equal to the exact value rounded to nearest
    double correctlyRoundedShare = 0.0;
    bool allCorrectlyRounded = false;
    std::vector<long> fragileLines;  // 1-based
    std::vector<double> errors;      // per line
    // The error against the evaluator's a-priori bound (numerics/numerics.h):
    // the lines beyond it (none, if the derivation holds), and the largest
    // share of it that an error reaches, and where.
    std::vector<double> bounds;  // per line
    long beyondBound = 0;
    double largestShareOfBound = 0.0;
    double largestShareAt = 0.0;
    bool boundTight = false;  // an error reaches half of the bound or more
};

// How two evaluators of the same derivative compare over a table: as
// doubles, and as the ten decimals the table prints.
struct Agreement {
    long differingDoubles = 0;
    double largestDifference = 0.0;
    double largestDifferenceUlps = 0.0;  // in units in the last place of the values
    double largestDifferenceNear = 0.0;  // the magnitude of those values
    long differingLines = 0;
    double largestPrintedDifference = 0.0;
};

// The two errors of the forward difference over the timed walk, at their
// largest: truncation h/2*|f''|, and the rounding of the step h + x - x and
// of the two values of f, divided by h.
struct FiniteDifferenceErrors {
    double step = 0.0;               // h
    double start = 0.0;              // the walk's first abscissa
    double finiteAtStart = 0.0;      // fpfinite there
    double closedAtStart = 0.0;      // fp there
    int ordersAboveClosedForm = 0;   // log10 of the ratio of the median errors, rounded
    double truncationAtEnd = 0.0;    // h/2 * 4|x|^3 at the walk's largest |x|
    double halfUlpAtEnd = 0.0;       // half an ulp of the doubles just inside it
    double relativeStepError = 0.0;  // halfUlpAtEnd / h
    double largestStepError = 0.0;   // |f'| * ulp(x)/2 / h, its largest over the walk
    double fRoundingAtEnd = 0.0;     // u|x|^3 / h there
    double fRoundingNearZero = 0.0;  // u / h
};

struct DerivativeTables {
    // gradient_timing's walk and its three tables.
    std::vector<double> xs;
    std::vector<DoubleDouble> exact;
    ColumnAccuracy real;      // fp
    ColumnAccuracy finite;    // fpfinite
    ColumnAccuracy autodiff;  // af
    Agreement autodiffAgainstReal;
    std::vector<double> fpEnvelope;     // per line: fp's bound where |sin| and |cos| reach 1
    bounds::FpTerms fpTerms{};          // the terms of fp's bound
    double largestAbscissa = 0.0;       // the walk's largest |x|
    double closedFormBoundAtEnd = 0.0;  // its leading term, x^4 u times its coefficient, there
    FiniteDifferenceErrors finiteDifference;
    // gradient_table's walk and its table's columns 2 (fp) and 3 (fpfinite).
    std::vector<double> sideBySideXs;
    std::vector<DoubleDouble> sideBySideExact;
    ColumnAccuracy sideBySideReal;
    ColumnAccuracy sideBySideFinite;

    // Every column, in the order of the files and their columns.
    std::vector<const ColumnAccuracy*> columns() const {
        return {&real, &finite, &autodiff, &sideBySideReal, &sideBySideFinite};
    }
};

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

struct Steps {
    long abscissas = 0;
    std::vector<StepAccuracy> all;  // h = the doubles nearest 1e-1, 1e-2, ..., 1e-15
    StepAccuracy bestByMax;         // the smallest largest error
    StepAccuracy bestByMedian;      // the smallest median error
    // The two estimates cross between these steps: the last one at which
    // truncation dominates, and the next. NaN if it never does.
    double crossingAbove = 0.0;
    double crossingBelow = 0.0;
    double programStep = 0.0;  // the step the programs take
    double sqrtEpsilon = 0.0;  // the square root of the machine epsilon
};

// Which printed lines another faithful math library could change.
struct Fragility {
    double lastBitOfF = 0.0;  // what the last bit of a sine moves f by at the walk's largest |x|
    int decimalPlace = 0;     // where that lands once divided by the step: 7 for 1e-7
    LibraryCheck library;     // the build's own library against the enclosing doubles
};

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

// A zero of x*sin(x^2): -sqrt(k*pi) when negative, 0 when k is 0.
struct SinSquareZero {
    bool negative = false;
    long k = 0;
};

// A bracketing search narrows a bracket at trial points; Newton's method
// steps from iterate to iterate.
enum class SearchKind { bracketing, newton };

struct SearchAccuracy {
    SearchKind kind = SearchKind::bracketing;
    std::string program;
    std::string search;
    ExactRoot truth;
    SinSquareZero zero;              // for the searches of x*sin(x^2)
    double slopeAtZero = 0.0;        // |f'| at the exact zero
    long slopeInPi = 0;              // 2k: |f'| = 2k*pi at -+sqrt(k*pi)
    double toleranceDistance = 0.0;  // tolerance / |f'|: how far from the zero a stop may be
    double returned = 0.0;
    double error = 0.0;
    double errorUlps = 0.0;  // in units in the last place of the returned point
    int iterations = 0;      // trial points tested, or Newton steps taken
    bool robust = false;
    std::string robustness;  // what the check found, in a sentence
    std::vector<Iterate> iterates;
    // Bracketing: every trial point, and the factor by which the bracket
    // shrinks per trial point, on average over the search, with the bits
    // that is.
    std::vector<Trial> trials;
    double narrowing = 0.0;
    double bitsPerTrial = 0.0;
    // Newton: the order observed at each step from three consecutive
    // errors, and how many faithful libraries the whole search was run under.
    std::vector<double> orders;
    long libraries = 0;
};

// The longest run of trial points whose bracket keeps its right end: the
// first and last trace line (1-based) and that end.
struct FixedEndRun {
    size_t first = 0;
    size_t last = 0;
    double end = 0.0;
};

struct Searches {
    SearchAccuracy midpoint;      // bisection_compare (and bisection_newton)
    SearchAccuracy quarterPoint;  // bisection_compare
    SearchAccuracy newton;        // bisection_newton
    SearchAccuracy expEquation;   // exp_bisection

    double tolerance = 0.0;
    double bracketA = 0.0;  // the bracket of bisection_compare
    double bracketB = 0.0;
    long zerosInBracket = 0;
    double midpointFinalWidth = 0.0;  // of the bracket of its last trial point
    // The quarter point keeps a quarter or three quarters of the bracket:
    // the bits per trial point it averages when the root sits anywhere, and
    // how many more trial points that takes than halving.
    double expectedQuarterBits = 0.0;
    double quarterExtraShare = 0.0;
    FixedEndRun quarterCreep;  // the quarter-point search's longest fixed right end
    // Newton's start, f and f' there, and where its first step lands.
    double newtonStart = 0.0;
    double fAtStart = 0.0;
    double fpAtStart = 0.0;
    double newtonFirstStep = 0.0;
    bool newtonZeroInBracket = false;
    bool newtonFindsAnotherZero = false;  // than the midpoint search
    bool bracketingFindSameZero = false;  // the midpoint and quarter-point searches
    long robustCount = 0;
    bool allRobust = false;

    std::vector<const SearchAccuracy*> all() const { return {&midpoint, &quarterPoint, &newton, &expEquation}; }
};

// How a walk from lo by repeated addition of its step ends.
enum class WalkEnd {
    pastHi,   // the next abscissa passes hi, which gets no line
    onHi,     // the last abscissa is hi itself
    stalled,  // the step no longer moves the abscissa, short of hi
};

// A double against the exact value it stands for.
enum class Relation { below, exactly, above };

// Why the tables have the lines they have: the accumulated abscissa.
struct Walks {
    // gradient_timing's walk.
    double lo = 0.0;
    double hi = 0.0;
    int steps = 0;
    double step = 0.0;
    Relation stepAgainstQuotient = Relation::exactly;  // the stored step against (hi - lo)/steps
    long lines = 0;
    long stepsAndEnds = 0;  // steps + 1: the points of [lo, hi] cut into that many steps
    double last = 0.0;      // the last abscissa with a line
    double next = 0.0;      // the one after it, not written
    WalkEnd end = WalkEnd::pastHi;
    bool computedLandsOnHi = false;  // lo + steps*step == hi
    long computedLines = 0;          // the lines lo + i*step would give
    // gradient_table's walk.
    int sideSteps = 0;
    double sideStep = 0.0;
    double sideHi = 0.0;
    double sideLast = 0.0;
    bool sideLastOnHi = false;
};

struct Report {
    std::string exactArithmetic;  // "MPFR 4.2.0 at 256 bits"
    std::string mathLibrary;      // the elementary functions of this build
    DerivativeTables tables;
    Steps steps;
    Fragility fragility;
    Searches searches;
    Walks walks;
};

}  // namespace xsin
