#pragma once

#include <functional>

// Root finders for the test function f. Each comes in two forms: one that
// traces its search to a file of its own in the working directory, as the
// programs run it, and one that tells a watcher about every point instead.
// A trace file that cannot be written is reported (see output/output.h);
// the search itself runs and returns its result all the same.

namespace xsin {

// Hears of each trial point t of a bracketing search before it is tested,
// with the bracket [a, b] in which it was chosen.
using TrialWatcher = std::function<void(double a, double b, double t)>;

// Hears of each new Newton iterate.
using StepWatcher = std::function<void(double x)>;

// Midpoint bracketing of [a, b]; trace "bolzano.txt". Returns the first
// trial point with |f| < 1e-8 and sets found to 1, or returns -1.0 and sets
// found to 0 after 200 trial points. -1.0 may also be a genuine root: only
// found tells them apart.
double getBolzanoRoot(double a, double b, int& found);
double getBolzanoRoot(double a, double b, int& found, const TrialWatcher& watch);

// The same search with the trial point a quarter of the way from a to b;
// trace "bolzano14.txt".
double getBolzanoRoot14(double a, double b, int& found);
double getBolzanoRoot14(double a, double b, int& found, const TrialWatcher& watch);

// Newton's iteration from x0 with fp as the slope; trace "newton.txt".
// Returns the last iterate, whether or not |f| fell below 1e-8 within 201
// steps. A zero slope is not guarded against: the NaN it leads to runs to
// the cap.
double getNewtonRoot(double x0);
double getNewtonRoot(double x0, const StepWatcher& watch);

}  // namespace xsin
