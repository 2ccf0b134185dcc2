#pragma once

// The fixed experiments the programs run, each defined here once with every
// limit it has: the programs run them, and accuracy_report, the benchmarks
// and the tests measure these very ones. Header only, so that exp_bisection
// reads its own without linking anything of the others.

namespace xsin::experiments {

// [lo, hi] walked from lo by repeated addition of (hi - lo)/steps.
struct Walk {
    double lo;
    double hi;
    int steps;
};

// A bracket [a, b] searched for a zero.
struct Bracket {
    double a;
    double b;
};

// The step h of the forward difference (f(h + x) - f(x))/h: the double
// nearest 1e-8, about the square root of the machine epsilon.
constexpr double finiteStep = 1e-8;
// accuracy_report's sweep of other steps: the doubles nearest 1e-1 ... 1e-15.
constexpr double finiteStepSweep[] = {1e-1, 1e-2, 1e-3,  1e-4,  1e-5,  1e-6,  1e-7, 1e-8,
                                      1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};

// Every root search: a trial point counts as a root when |f| is below this,
// strictly (the same 1e-8 as the step, but an independent choice).
constexpr double rootTolerance = 1e-8;
// Trial points a bracketing search tests before it gives up.
constexpr int maxTrials = 200;
// Newton steps, one more than the trial points of the bracketing searches.
constexpr int maxNewtonSteps = maxTrials + 1;
// What a bracketing search returns when it gives up: an ordinary value that
// a successful search could return too, so only its flag tells them apart.
constexpr double notFound = -1.0;

// gradient_timing: the derivative of x*sin(x^2) three ways, one table each.
constexpr Walk timedTables{-10.0, 10.0, 100000};
constexpr const char* realGradientsFile = "realgradients.txt";
constexpr const char* finiteGradientsFile = "finitegradients.txt";
constexpr const char* autodiffGradientsFile = "autodiffgradients.txt";

// gradient_table: the closed form and the finite difference side by side.
constexpr Walk sideBySideTable{-10.0, 10.0, 1000};
constexpr const char* gradientFile = "gradient.txt";

// bisection_compare and bisection_newton: zeros of x*sin(x^2).
constexpr Bracket sinSquareBracket{-5.0, 3.0};
constexpr const char* bolzanoTrace = "bolzano.txt";
constexpr const char* bolzano14Trace = "bolzano14.txt";
// Newton's method starts at the bracket's left end.
constexpr double newtonStart = sinSquareBracket.a;
constexpr const char* newtonTrace = "newton.txt";

// exp_bisection: the zero of e^x + x - 5, traced on standard output.
constexpr Bracket expBracket{1.0, 4.0};

}  // namespace xsin::experiments
