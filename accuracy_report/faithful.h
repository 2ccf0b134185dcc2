#pragma once

#include <functional>

// Another math library, any of them: one whose sin, cos and exp are
// faithful, each answer one of the two doubles that enclose the exact value
// of the function at its argument. Running an evaluator over FaithfulMath
// under every such library shows whether what it prints could change on
// another machine.

namespace xsin {

// A library is a function: within one run the same argument of the same
// function gets the same answer. The answers are chosen by
// forEveryFaithfulLibrary; outside it, the answer is the double below.
struct FaithfulMath {
    static double sin(double u);
    static double cos(double u);
    static double exp(double u);
};

// Calls run() once for every way a faithful library can answer the calls
// that run() makes, each distinct call answered below or above the exact
// value (an exact value that is a double has one answer). The calls may
// depend on earlier answers: a search that takes another path makes other
// calls, and those are explored in turn. Returns false when exploring took
// more than maxRuns runs and was cut short.
bool forEveryFaithfulLibrary(const std::function<void()>& run, long maxRuns = 1L << 16);

// The build's own math library (elementary/elementary.h), asked each argument
// that an exploration met: how many answers were checked, and how many were
// neither enclosing double (none, if it is faithful wherever it was asked).
struct LibraryCheck {
    long checked = 0;
    long outside = 0;
};
LibraryCheck libraryCheck();

}  // namespace xsin
