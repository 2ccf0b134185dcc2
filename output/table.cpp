#include "output/table.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace xsin {

namespace {

// GCC and Clang's 128-bit integer, which -Wpedantic would flag at each use.
__extension__ typedef unsigned __int128 uint128;

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
    const uint128 scaled = static_cast<uint128>(rest) * fiveToTheTen;
    if (k <= 10) {
        decimals = static_cast<std::uint64_t>(scaled << (10 - k));
    } else if (k - 10 < 100) {
        const int shift = k - 10;
        decimals = static_cast<std::uint64_t>(scaled >> shift);
        const uint128 dropped = scaled & ((static_cast<uint128>(1) << shift) - 1);
        const uint128 half = static_cast<uint128>(1) << (shift - 1);
        if (dropped > half || (dropped == half && (decimals & 1) != 0)) {
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

char* TableWriter::room(std::size_t numbers) {
    if (sizeof block - used < numbers * (maxFixedWidth + 1)) {
        flush();
    }
    return block + used;
}

void TableWriter::line(double first, double second) {
    char* at = fixedDecimal(room(2), first);
    *at++ = ' ';
    at = fixedDecimal(at, second);
    *at++ = '\n';
    used = static_cast<std::size_t>(at - block);
}

void TableWriter::line(double first, double second, double third) {
    char* at = fixedDecimal(room(3), first);
    *at++ = ' ';
    at = fixedDecimal(at, second);
    *at++ = ' ';
    at = fixedDecimal(at, third);
    *at++ = '\n';
    used = static_cast<std::size_t>(at - block);
}

void TableWriter::flush() {
    if (used > 0) {
        put(out, block, used);
        used = 0;
    }
}

}  // namespace xsin
