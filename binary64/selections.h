#pragma once

#include <cmath>
#include <cstdint>

#include "binary64/always_inline.h"
#include "binary64/binary64.h"
#include "binary64/lanes.h"

// What code needs beyond arithmetic to be written once over a double or
// over four lanes (binary64/lanes.h): its bits as an integer, masks,
// selections and lookups. A mask is all ones where a condition holds and 0
// elsewhere, the integer of T's bits (binary64::bits), so that &, |, ^ and
// ~ combine masks alike for both.

namespace xsin {

template <class T>
struct Integer;
template <>
struct Integer<double> {
    using type = std::uint64_t;
};
template <>
struct Integer<Double4> {
    using type = Long4;
};

// The integer type of T's bits, which is also its mask type.
template <class T>
using IntegerOf = typename Integer<T>::type;

// A comparison as a mask: a lane comparison already is one.
XSIN_ALWAYS_INLINE std::uint64_t maskOf(bool condition) {
    return condition ? ~std::uint64_t{0} : 0;
}

XSIN_ALWAYS_INLINE Long4 maskOf(Long4 condition) {
    return condition;
}

// x in every lane.
template <class T>
XSIN_ALWAYS_INLINE T broadcast(double x) {
    return T{} + x;
}

// a where mask is set, b elsewhere.
XSIN_ALWAYS_INLINE double select(std::uint64_t mask, double a, double b) {
    return mask != 0 ? a : b;
}

XSIN_ALWAYS_INLINE Double4 select(Long4 mask, Double4 a, Double4 b) {
    return (Double4)((mask & (Long4)a) | (~mask & (Long4)b));
}

XSIN_ALWAYS_INLINE double magnitude(double x) {
    return std::fabs(x);
}

XSIN_ALWAYS_INLINE Double4 magnitude(Double4 x) {
    return (Double4)((Long4)x & INT64_MAX);
}

// -x where mask is set.
XSIN_ALWAYS_INLINE double negatedWhere(std::uint64_t mask, double x) {
    return mask != 0 ? -x : x;
}

XSIN_ALWAYS_INLINE Double4 negatedWhere(Long4 mask, Double4 x) {
    return (Double4)((Long4)x ^ (mask & INT64_MIN));
}

template <class T>
XSIN_ALWAYS_INLINE BasicDoubleDouble<T> negatedWhere(IntegerOf<T> mask, BasicDoubleDouble<T> x) {
    return {negatedWhere(mask, x.hi), negatedWhere(mask, x.lo)};
}

// The row of a table of four columns at index, or at each lane's index.
template <class T>
struct Row {
    T c0, c1, c2, c3;
};

XSIN_ALWAYS_INLINE Row<double> rowAt(const double (*table)[4], std::uint64_t index) {
    const double* row = table[index];
    return {row[0], row[1], row[2], row[3]};
}

XSIN_ALWAYS_INLINE Row<Double4> rowAt(const double (*table)[4], Long4 index) {
    const double* r[4] = {table[index[0]], table[index[1]], table[index[2]], table[index[3]]};
    return {Double4{r[0][0], r[1][0], r[2][0], r[3][0]}, Double4{r[0][1], r[1][1], r[2][1], r[3][1]},
            Double4{r[0][2], r[1][2], r[2][2], r[3][2]}, Double4{r[0][3], r[1][3], r[2][3], r[3][3]}};
}

}  // namespace xsin
