#include "output/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace xsin {

namespace {

using decimal::multiply;
using decimal::pairs;
using decimal::roundedShift;
using decimal::tenToTheTen;

constexpr std::uint64_t fiveToTheTen = 9765625u;

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
    const auto [m, k] = binary64::decompose(value);  // magnitude = m * 2^-k exactly, 0 <= k <= 1074
    // The integer part, and the fraction f = r / 2^k scaled to ten decimals:
    // f * 10^10 = r * 5^10 / 2^(k - 10), rounded half to even. r < 2^53 and
    // 5^10 < 2^24, so the product fits in 128 bits.
    std::uint64_t whole = k >= 64 ? 0 : m >> k;
    const std::uint64_t rest = k >= 64 ? m : m & ((std::uint64_t{1} << k) - 1);
    std::uint64_t decimals = 0;
    if (k <= 10) {
        decimals = (rest * fiveToTheTen) << (10 - k);  // rest < 2^k: exact, and below 10^10
    } else if (k - 10 < 100) {
        decimals = roundedShift(multiply(rest, fiveToTheTen), k - 10);
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
