#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "binary64/binary64.h"
#include "output/table_lanes_constants.h"

// Numbers in the text printf("%20.10lf") gives, converted exactly in
// integer arithmetic.

namespace xsin {

// The most characters fixedDecimal writes: a sign, 309 digits of DBL_MAX,
// the point and ten decimals.
constexpr std::size_t maxFixedWidth = 1 + 309 + 1 + 10;

// Writes value at `at` as printf("%.10f") would in the C locale, right-
// aligned in a field of `width` characters (wider when it needs more), and
// returns the end. The same digits: the exact binary value rounded to ten
// decimals, half to even on an exact tie; the sign of a negative value
// that rounds to zero, and of -0, is kept ("-0.0000000000"). Needs room
// for max(width, maxFixedWidth) characters.
char* fixedDecimal(char* at, double value, std::size_t width = 20);

namespace decimal {

// A 128-bit unsigned integer as two 64-bit halves: the compiler's own type
// where it has one (64-bit targets), four 32-bit products where it has not.
struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

// a * b exactly.
inline Wide multiply(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    __extension__ typedef unsigned __int128 uint128;  // -Wpedantic flags the type itself
    const uint128 product = static_cast<uint128>(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
    const std::uint64_t low = 0xffffffffu;
    const std::uint64_t ll = (a & low) * (b & low);
    const std::uint64_t lh = (a & low) * (b >> 32);
    const std::uint64_t hl = (a >> 32) * (b & low);
    const std::uint64_t hh = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (ll >> 32) + (lh & low) + (hl & low);
    return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & low)};
#endif
}

// w / 2^shift rounded to the nearest integer, half to even, for
// 0 < shift < 128 and a quotient below 2^64.
inline std::uint64_t roundedShift(Wide w, int shift) {
    std::uint64_t quotient;
    std::uint64_t dropped;  // the dropped bits' upper word, holding the half bit
    std::uint64_t half;
    bool belowNonZero;  // dropped bits beneath that word
    if (shift >= 64) {
        quotient = shift == 64 ? w.hi : w.hi >> (shift - 64);
        dropped = shift == 64 ? w.lo : w.hi & ((std::uint64_t{1} << (shift - 64)) - 1);
        half = shift == 64 ? std::uint64_t{1} << 63 : std::uint64_t{1} << (shift - 65);
        belowNonZero = shift != 64 && w.lo != 0;
    } else {
        quotient = (w.hi << (64 - shift)) | (w.lo >> shift);
        dropped = w.lo & ((std::uint64_t{1} << shift) - 1);
        half = std::uint64_t{1} << (shift - 1);
        belowNonZero = false;
    }
    const bool up = dropped > half || (dropped == half && (belowNonZero || (quotient & 1) != 0));
    return quotient + (up ? 1 : 0);
}

constexpr std::uint64_t tenToTheTen = 10000000000u;

// "00" to "99".
inline constexpr char pairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// The integer parts the tables print directly, 0 to directLimit (1024),
// the last for values that round up to it.
constexpr int directWholes = static_cast<int>(lines::constants::directLimit) + 1;

// Columns 1 to 8 of a field of 20 for an integer part and its sign: blanks,
// then "-" for a negative value, then the digits, right-aligned. Column 0 is
// always a blank, column 9 the point.
struct Prefix {
    char text[8];
};

// A plain array in a struct, read without a call: code compiled for an
// instruction set of its own reads it too (output/table_lanes.h).
struct Prefixes {
    Prefix of[2 * directWholes];
};

constexpr Prefixes makePrefixes() {
    Prefixes prefixes{};
    for (int negative = 0; negative < 2; ++negative) {
        for (int whole = 0; whole < directWholes; ++whole) {
            Prefix& p = prefixes.of[negative * directWholes + whole];
            for (char& c : p.text) {
                c = ' ';
            }
            int at = 7;
            int rest = whole;
            do {
                p.text[at--] = static_cast<char>('0' + rest % 10);
                rest /= 10;
            } while (rest != 0);
            if (negative != 0) {
                p.text[at] = '-';
            }
        }
    }
    return prefixes;
}

inline constexpr Prefixes prefixes = makePrefixes();

// Eight decimal digits of value < 10^8, all at once in the lanes of one
// 64-bit word: two halves of four digits, each split into two pairs, each
// pair into two digits, every quotient by a multiplication and a shift
// that stays within its lane. The first digit goes to the lowest address.
inline void putEight(char* at, std::uint32_t value) {
    const std::uint32_t upper = value / 10000;
    const std::uint64_t fours = upper | static_cast<std::uint64_t>(value - upper * 10000) << 32;
    const std::uint64_t hundreds = ((fours * 10486) >> 20) & 0x0000007f0000007fu;  // quarters / 100
    const std::uint64_t twos = hundreds | (fours - hundreds * 100) << 16;
    const std::uint64_t tens = ((twos * 103) >> 10) & 0x000f000f000f000fu;  // pairs / 10
    std::uint64_t digits = (tens | (twos - tens * 10) << 8) | 0x3030303030303030u;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    digits = __builtin_bswap64(digits);
#endif
    std::memcpy(at, &digits, sizeof digits);
}

}  // namespace decimal

// fixedDecimal(at, value, 20), the table's field, with a direct path for
// the magnitudes the tables print, below directLimit: always 20 characters,
// the integer part and sign from a table, the ten decimals from one product.
inline char* tableDecimal(char* at, double value) {
    using namespace decimal;
    static_assert(lines::constants::directLimit <= 0x1p10, "the direct path's arithmetic holds below 2^10");
    const std::uint64_t bits = binary64::bits(value);
    if ((bits & ~binary64::signMask) >= binary64::bits(lines::constants::directLimit)) {  // infinities, NaN too
        return fixedDecimal(at, value, 20);
    }
    // |value| = m * 2^-k exactly, m < 2^53, k >= 43. The value in units of
    // 1e-10 is m * 10^10 / 2^k rounded half to even, below 1024 * 10^10 + 1:
    // its integer part and decimals at once, a carry into the integer part
    // included. With 10^10 * 2^30 < 2^64 as the factor, the quotient is the
    // upper word of the product shifted by s = k - 34 >= 9. The shift stops
    // at 63 without a branch: from k = 88 on the product is below half of
    // 2^k, as is its upper word (below 2^53) against 2^62.
    const auto [m, k] = binary64::decompose(value);
    const int shift = k - 34 < 63 ? k - 34 : 63;
    const Wide product = multiply(m, tenToTheTen << 30);
    // Half to even without a branch (whose direction would be a coin
    // toss): the low word only matters as a sticky bit below the half bit.
    const std::uint64_t sticky = product.hi | (product.lo != 0 ? 1 : 0);
    const std::uint64_t odd = (sticky >> shift) & 1;
    const std::uint64_t scaled = (sticky + ((std::uint64_t{1} << (shift - 1)) - 1) + odd) >> shift;
    const std::uint64_t whole = scaled / tenToTheTen;
    const std::uint64_t decimals = scaled - whole * tenToTheTen;
    const std::uint64_t first = decimals / 100000000;

    at[0] = ' ';
    std::memcpy(at + 1, prefixes.of[(bits >> 63) * directWholes + whole].text, 8);
    at[9] = '.';
    std::memcpy(at + 10, pairs + 2 * first, 2);
    putEight(at + 12, static_cast<std::uint32_t>(decimals - first * 100000000));
    return at + 20;
}

}  // namespace xsin
