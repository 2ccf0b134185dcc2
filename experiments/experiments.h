#pragma once

// The fixed experiments the programs run, each defined here once: the
// programs run them, and accuracy_report, the benchmarks and the tests
// measure these very ones. Header only, so that exp_bisection reads its own
// without linking anything of the others.

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
