#pragma once

namespace xsin {

// Calls visit(x) for x = lo, lo + step, lo + step + step, ... while x <= hi,
// with step = (hi - lo) / steps. The abscissa advances by repeated addition,
// never as lo + i*step, so the rounding of the running sum decides how many
// points there are and whether hi itself is reached. A NaN bound visits
// nothing.
template <class Visit>
void walkAbscissa(double lo, double hi, double steps, Visit visit) {
    const double step = (hi - lo) / steps;
    for (double x = lo; x <= hi; x = x + step) {
        visit(x);
    }
}

}  // namespace xsin
