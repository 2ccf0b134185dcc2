#pragma once

#include <mpfr.h>

#include <cstddef>

#include "binary64/binary64.h"

// A number of MPFR's as a sum of doubles: for the tables of the correctly
// rounded functions (elementary/internal/generate_tables.cpp) and the exact
// values accuracy_report compares with (accuracy_report/exact.h). Header
// only, for code that links MPFR.

namespace xsin {

// value = parts[0] + parts[1] + ... + parts[count - 1] + rest, each part the
// nearest number of `bits` significant bits (53: the nearest double) to
// what the parts before it leave.
inline void splitIntoDoubles(mpfr_srcptr value, double* parts, std::size_t count,
                             mpfr_prec_t bits = binary64::precision) {
    mpfr_t rest;
    mpfr_t part;
    mpfr_init2(rest, mpfr_get_prec(value));
    mpfr_init2(part, bits);
    mpfr_set(rest, value, MPFR_RNDN);
    for (std::size_t i = 0; i < count; ++i) {
        mpfr_set(part, rest, MPFR_RNDN);
        parts[i] = mpfr_get_d(part, MPFR_RNDN);
        mpfr_sub_d(rest, rest, parts[i], MPFR_RNDN);
    }
    mpfr_clear(part);
    mpfr_clear(rest);
}

// The nearest double and the nearest double to the rest.
inline DoubleDouble toDoubleDouble(mpfr_srcptr value) {
    double parts[2];
    splitIntoDoubles(value, parts, 2);
    return {parts[0], parts[1]};
}

}  // namespace xsin
