#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "numerics/lanes.h"
#include "numerics/binary64.h"

// What the fast path needs beyond arithmetic to be written once over a
// double or over four lanes (numerics/lanes.h): its bits as an integer,
// masks, selections and lookups. A mask is all ones where a condition holds
// and 0 elsewhere, an std::int64_t for a double and a Long4 for lanes, so
// that &, |, ^ and ~ combine masks alike in both. Everything here is always
// inlined: code compiled for another instruction set leaves no copy of it.

namespace xsin::fastpath {
namespace {

#define XSIN_ALWAYS [[gnu::always_inline]] inline

template <class T>
struct Integer;
template <>
struct Integer<double> {
    using type = std::int64_t;
};
template <>
struct Integer<Double4> {
    using type = Long4;
};

// The integer type of T's bits, which is also its mask type.
template <class T>
using IntegerOf = typename Integer<T>::type;

XSIN_ALWAYS std::int64_t bitsOf(double x) {
    std::int64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

XSIN_ALWAYS Long4 bitsOf(Double4 x) {
    return (Long4)x;
}

XSIN_ALWAYS double fromBits(std::int64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

XSIN_ALWAYS Double4 fromBits(Long4 b) {
    return (Double4)b;
}

// A comparison as a mask: a lane comparison already is one.
XSIN_ALWAYS std::int64_t maskOf(bool condition) {
    return -static_cast<std::int64_t>(condition);
}

XSIN_ALWAYS Long4 maskOf(Long4 condition) {
    return condition;
}

// x in every lane.
template <class T>
XSIN_ALWAYS T broadcast(double x) {
    return T{} + x;
}

// a where mask is set, b elsewhere.
XSIN_ALWAYS double select(std::int64_t mask, double a, double b) {
    return mask != 0 ? a : b;
}

XSIN_ALWAYS Double4 select(Long4 mask, Double4 a, Double4 b) {
    return (Double4)((mask & (Long4)a) | (~mask & (Long4)b));
}

XSIN_ALWAYS double magnitude(double x) {
    return std::fabs(x);
}

XSIN_ALWAYS Double4 magnitude(Double4 x) {
    return (Double4)((Long4)x & INT64_MAX);
}

// -x where mask is set.
XSIN_ALWAYS double negatedWhere(std::int64_t mask, double x) {
    return mask != 0 ? -x : x;
}

XSIN_ALWAYS Double4 negatedWhere(Long4 mask, Double4 x) {
    return (Double4)((Long4)x ^ (mask & INT64_MIN));
}

template <class T>
XSIN_ALWAYS BasicDoubleDouble<T> negatedWhere(IntegerOf<T> mask, BasicDoubleDouble<T> x) {
    return {negatedWhere(mask, x.hi), negatedWhere(mask, x.lo)};
}

// The row of a table of four columns at index, or at each lane's index.
template <class T>
struct Row {
    T c0, c1, c2, c3;
};

XSIN_ALWAYS Row<double> rowAt(const double (*table)[4], std::int64_t index) {
    const double* row = table[index];
    return {row[0], row[1], row[2], row[3]};
}

XSIN_ALWAYS Row<Double4> rowAt(const double (*table)[4], Long4 index) {
    const double* r[4] = {table[index[0]], table[index[1]], table[index[2]], table[index[3]]};
    return {Double4{r[0][0], r[1][0], r[2][0], r[3][0]}, Double4{r[0][1], r[1][1], r[2][1], r[3][1]},
            Double4{r[0][2], r[1][2], r[2][2], r[3][2]}, Double4{r[0][3], r[1][3], r[2][3], r[3][3]}};
}

#undef XSIN_ALWAYS

}  // namespace
}  // namespace xsin::fastpath
