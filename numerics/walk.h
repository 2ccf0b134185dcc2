#pragma once

#include <cstddef>

namespace xsin {

// The abscissas x = lo, lo + step, lo + step + step, ... while x <= hi, with
// step = (hi - lo) / steps. The abscissa advances by repeated addition,
// never as lo + i*step, so the rounding of the running sum decides how many
// points there are and whether hi itself is reached. A NaN bound gives
// none.
//
// The walk also ends where a step no longer moves the abscissa up (lo == hi,
// a step lost in the rounding of a large x, a negative or NaN step): adding
// it again would loop forever, giving the same or ever lower abscissas.
struct Walker {
    double x;
    double step;
    bool more;

    double end;

    Walker(double lo, double hi, double steps) : x(lo), step((hi - lo) / steps), more(lo <= hi), end(hi) {}

    // To the next abscissa, if there is one.
    void advance() {
        const double next = x + step;
        more = next > x && next <= end;
        x = next;
    }
};

// Calls visit(x) for every abscissa of the walk.
template <class Visit>
void walkAbscissa(double lo, double hi, double steps, Visit visit) {
    for (Walker walker(lo, hi, steps); walker.more; walker.advance()) {
        visit(walker.x);
    }
}

// The same abscissas a chunk at a time: visit(xs, count) with up to `chunk`
// of them, the last chunk perhaps shorter. No call within a chunk, so that
// the running sum stays in a register.
template <std::size_t chunk, class Visit>
void walkAbscissaInChunks(double lo, double hi, double steps, Visit visit) {
    double xs[chunk];
    for (Walker walker(lo, hi, steps); walker.more;) {
        std::size_t count = 0;
        for (; walker.more && count < chunk; walker.advance()) {
            xs[count++] = walker.x;
        }
        visit(xs, count);
    }
}

}  // namespace xsin
