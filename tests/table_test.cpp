#include <cmath>
#include <cstdio>
#include <random>
#include <algorithm>
#include <string>
#include <vector>

#include "output/decimal.h"
#include "output/table_lines.h"
#include "support.h"

namespace xsin {
namespace {

// Compares fixedDecimal and the tables' tableDecimal, with its direct path
// below 1024, with printf's "%20.10lf", and counts the values where either
// differs, showing the first few. Then the same values as table lines of
// one, two and three columns, by every path of tableLines, forced one by
// one, against the lines printf makes of them.
class AgainstPrintf : public ::testing::Test {
protected:
    void check(double value) {
        char theirs[maxFixedWidth + 32];
        std::snprintf(theirs, sizeof theirs, "%20.10lf", value);
        char general[maxFixedWidth + 1];
        *fixedDecimal(general, value) = '\0';
        char table[maxFixedWidth + 1];
        *tableDecimal(table, value) = '\0';
        ++checked;
        for (const char* ours : {general, table}) {
            if (std::string(ours) != theirs && ++differing <= 5) {
                ADD_FAILURE() << "value " << value << ": \"" << ours << "\" instead of \"" << theirs << "\"";
            }
        }
        values.push_back(value);
        fields.push_back(theirs);
    }

    void TearDown() override {
        for (LinesPath path : {LinesPath::scalar, LinesPath::sse2, LinesPath::avx2}) {
            if (!available(path)) {
#if defined(__x86_64__)
                EXPECT_NE(path, LinesPath::sse2) << "every x86-64 CPU has SSE2";
                std::printf("this CPU cannot take path %d: not tested here\n", static_cast<int>(path));
#endif
                continue;
            }
            for (std::size_t columns = 1; columns <= 3; ++columns) {
                checkLines(path, columns);
            }
        }
    }

    // The values in order, line after line, in chunks of 21 lines, an odd
    // count, so that every lane of a vector meets a chunk's tail.
    void checkLines(LinesPath path, std::size_t columns) {
        const std::size_t chunk = 21 * columns;
        std::vector<char> text(std::max(mostLineChars(chunk), directLineChars(chunk)));
        for (std::size_t at = 0; at + columns <= values.size(); at += chunk) {
            const std::size_t lines = std::min(chunk, values.size() - at) / columns;
            std::vector<std::vector<double>> byColumn(columns);
            for (std::size_t i = 0; i < lines * columns; ++i) {
                byColumn[i % columns].push_back(values[at + i]);
            }
            const double* column[3];
            for (std::size_t c = 0; c < columns; ++c) {
                column[c] = byColumn[c].data();
            }
            char* end = directTableLines(text.data(), column, columns, lines, path);
            // Taken exactly when every number is below 1024 in magnitude.
            EXPECT_EQ(end != nullptr, std::all_of(values.data() + at, values.data() + at + lines * columns,
                                                  [](double v) { return std::fabs(v) < 1024.0; }));
            if (end == nullptr) {
                end = tableLines(text.data(), column, columns, lines);
            }
            const std::string ours(text.data(), end);
            std::string theirs;
            for (std::size_t i = 0; i < lines * columns; ++i) {
                theirs += fields[at + i] + ((i + 1) % columns == 0 ? "\n" : " ");
            }
            if (ours != theirs) {
                ADD_FAILURE() << "path " << static_cast<int>(path) << ", " << columns << " columns:\n"
                              << ours << "instead of\n" << theirs;
                return;
            }
        }
    }

    long checked = 0;
    long differing = 0;
    std::vector<double> values;
    std::vector<std::string> fields;
};

TEST_F(AgainstPrintf, RandomValuesOfEveryMagnitudeAndSign) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> exponent(-12.0, 15.0);
    for (int i = 0; i < 2000000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        check(random() & 1 ? value : -value);
    }
    EXPECT_EQ(differing, 0) << "of " << checked;
}

// k/2^11 with k odd is an exact tie at the tenth decimal (k*5^10/2 has a
// fraction of exactly one half), rounded to even; k/2^m for other m lands
// beside the ties. Below 5e-11 a negative value rounds to -0.0000000000.
TEST_F(AgainstPrintf, TiesNearTiesAndNegativeZeros) {
    for (int m = 0; m <= 64; ++m) {
        for (long k = -20000; k <= 20000; ++k) {
            check(std::ldexp(static_cast<double>(k), -m));
        }
    }
    for (double tiny : {0.0, 1e-300, 4.9e-324, 4.9999999999e-11, 5e-11, 5.0000000001e-11, 1e-10}) {
        check(tiny);
        check(-tiny);
    }
    EXPECT_EQ(differing, 0) << "of " << checked;
}

// Just below an integer by less than half of 1e-10, a value rounds up into
// the integer part: 0.99999999996 prints 1.0000000000 (the last abscissa of
// gradient.txt, 9.99999999999975, does).
TEST_F(AgainstPrintf, CarriesIntoTheIntegerPart) {
    for (double whole = 1; whole <= 4096; ++whole) {
        for (double below : {5e-11, 4.9e-11, 1e-12, std::ldexp(whole, -52)}) {
            check(whole - below);
            check(below - whole);
        }
    }
    EXPECT_EQ(differing, 0) << "of " << checked;
}

// Wider than the field, beyond 2^53 (no fraction bits left), and no
// number at all.
TEST_F(AgainstPrintf, WideNumbersInfinitiesAndNan) {
    for (double value : {1e10, 123456789012.5, 9007199254740991.0, 9007199254740992.0, 1e17, 1e300,
                         1.7976931348623157e308, HUGE_VAL, std::nan("")}) {
        check(value);
        check(-value);
    }
    EXPECT_EQ(differing, 0) << "of " << checked;
}

}  // namespace
}  // namespace xsin
