#pragma once

namespace xsin {

// Calls visit(x) for x = lo, lo + step, lo + step + step, ... while x <= hi,
// with step = (hi - lo) / steps. The abscissa advances by repeated addition,
// never as lo + i*step, so the rounding of the running sum decides how many
// points there are and whether hi itself is reached. A NaN bound visits
// nothing.
//
// The walk also ends where a step no longer moves the abscissa up (lo == hi,
// a step lost in the rounding of a large x, a negative or NaN step): adding
// it again would loop forever, visiting the same or ever lower abscissas.
template <class Visit>
void walkAbscissa(double lo, double hi, double steps, Visit visit) {
    const double step = (hi - lo) / steps;
    for (double x = lo; x <= hi;) {
        visit(x);
        const double next = x + step;
        if (!(next > x)) {
            break;
        }
        x = next;
    }
}

}  // namespace xsin
