#include "output/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace xsin {

namespace {

// A 128-bit unsigned integer as two 64-bit halves: the compiler's own type
// where it has one (64-bit targets), four 32-bit products where it has not.
struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

// a * b exactly.
Wide multiply(std::uint64_t a, std::uint64_t b) {
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

// w >> shift, for 0 < shift < 128.
std::uint64_t shiftedDown(Wide w, int shift) {
    if (shift >= 64) {
        return w.hi >> (shift - 64);
    }
    return (w.hi << (64 - shift)) | (w.lo >> shift);
}

// Compares the bits of w below `shift` (0 < shift < 128) with half of
// 2^shift: negative, zero or positive.
int droppedAgainstHalf(Wide w, int shift) {
    std::uint64_t high;  // the dropped bits' upper word, with the half bit in it
    std::uint64_t low;
    std::uint64_t half;
    if (shift > 64) {
        high = w.hi & ((std::uint64_t{1} << (shift - 64)) - 1);
        low = w.lo;
        half = std::uint64_t{1} << (shift - 65);
    } else {
        high = shift == 64 ? w.lo : w.lo & ((std::uint64_t{1} << shift) - 1);
        low = 0;
        half = std::uint64_t{1} << (shift - 1);
    }
    if (high != half) {
        return high < half ? -1 : 1;
    }
    return low != 0 ? 1 : 0;
}

constexpr std::uint64_t tenToTheTen = 10000000000u;
constexpr std::uint64_t fiveToTheTen = 9765625u;

// "00" to "99".
constexpr char pairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

char* putPairs(char* at, std::uint64_t value, int pairCount) {
    for (int i = pairCount - 1; i >= 0; --i) {
        std::memcpy(at + 2 * i, pairs + 2 * (value % 100), 2);
        value /= 100;
    }
    return at + 2 * pairCount;
}

char* putInteger(char* at, std::uint64_t value) {
    char digits[20];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    const std::size_t count = static_cast<std::size_t>(digits + sizeof digits - first);
    std::memcpy(at, first, count);
    return at + count;
}

// The field: the text right-aligned in width characters.
char* align(char* at, const char* text, std::size_t length, std::size_t width) {
    if (length < width) {
        std::memset(at, ' ', width - length);
        at += width - length;
    }
    std::memmove(at, text, length);
    return at + length;
}

// Values of 2^53 and beyond have no fraction, and infinities and NaN no
// digits: the standard library converts them, the same way.
char* viaToChars(char* at, double value, std::size_t width) {
    char text[maxFixedWidth + 8];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 10);
    return align(at, text, static_cast<std::size_t>(result.ptr - text), width);
}

}  // namespace

char* fixedDecimal(char* at, double value, std::size_t width) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < 9007199254740992.0)) {  // 2^53, or NaN
        return viaToChars(at, value, width);
    }
    // magnitude = m * 2^-k exactly, from the bits: m < 2^53, 0 <= k <= 1074.
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int k = 1074;
    if (biased != 0) {  // normal: the implicit leading bit
        m |= std::uint64_t{1} << 52;
        k = 1075 - biased;
    }
    // The integer part, and the fraction f = r / 2^k scaled to ten decimals:
    // f * 10^10 = r * 5^10 / 2^(k - 10), rounded half to even. r < 2^53 and
    // 5^10 < 2^24, so the product fits in 128 bits.
    std::uint64_t whole = k >= 64 ? 0 : m >> k;
    const std::uint64_t rest = k >= 64 ? m : m & ((std::uint64_t{1} << k) - 1);
    std::uint64_t decimals = 0;
    const Wide scaled = multiply(rest, fiveToTheTen);
    if (k <= 10) {
        decimals = scaled.lo << (10 - k);  // rest < 2^k: no bits beyond the low word
    } else if (k - 10 < 100) {
        const int shift = k - 10;
        decimals = shiftedDown(scaled, shift);
        const int dropped = droppedAgainstHalf(scaled, shift);
        if (dropped > 0 || (dropped == 0 && (decimals & 1) != 0)) {
            ++decimals;
        }
    }  // else: below 2^-90, far below half of 1e-10
    if (decimals == tenToTheTen) {
        ++whole;
        decimals = 0;
    }

    char text[32];
    char* end = text;
    if (std::signbit(value)) {
        *end++ = '-';
    }
    end = putInteger(end, whole);
    *end++ = '.';
    end = putPairs(end, decimals, 5);
    return align(at, text, static_cast<std::size_t>(end - text), width);
}

}  // namespace xsin
