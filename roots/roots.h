#pragma once

// Root finders for the test function f, each tracing its search to a file
// of its own in the working directory. A trace file that cannot be written
// is reported (see output/output.h); the search itself runs and returns its
// result all the same.

namespace xsin {

// Midpoint bracketing of [a, b]; trace "bolzano.txt". Returns the first
// trial point with |f| < 1e-8 and sets found to 1, or returns -1.0 and sets
// found to 0 after 200 trial points. -1.0 may also be a genuine root: only
// found tells them apart.
double getBolzanoRoot(double a, double b, int& found);

// The same search with the trial point a quarter of the way from a to b;
// trace "bolzano14.txt".
double getBolzanoRoot14(double a, double b, int& found);

// Newton's iteration from x0 with fp as the slope; trace "newton.txt".
// Returns the last iterate, whether or not |f| fell below 1e-8 within 201
// steps. A zero slope is not guarded against: the NaN it leads to runs to
// the cap.
double getNewtonRoot(double x0);

}  // namespace xsin
