#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "experiments/experiments.h"
#include "gradient_timing/gradient_timing.h"
#include "support.h"

namespace xsin {
namespace {

using testing::readFile;
using testing::readLines;
using testing::run;
using testing::writeFile;

// True when text is exactly `count` lines "Time Passed: <microseconds> \n".
bool isTimingLines(const std::string& text, int count) {
    const std::string prefix = "Time Passed: ";
    size_t at = 0;
    for (int line = 0; line < count; ++line) {
        if (text.compare(at, prefix.size(), prefix) != 0) {
            return false;
        }
        const size_t digits = text.find_first_not_of("0123456789", at + prefix.size());
        if (digits == at + prefix.size() || text.compare(digits, 2, " \n") != 0) {
            return false;
        }
        at = digits + 2;
    }
    return at == text.size();
}

struct Writer {
    const char* file;
    void (*print)(int, double, double);
    const char* firstDerivative;
};

const Writer writers[] = {
    {"realgradients.txt", printRealGradients, "171.9574088164"},
    {"finitegradients.txt", printFiniteGradients, "171.9574127534"},
    {"autodiffgradients.txt", printAutodiffGradients, "171.9574088164"},
};

constexpr auto walk = experiments::timedTables;

using Writers = testing::InTempDir;

TEST_F(Writers, FullTablesHoldOneHundredThousandLines) {
    for (const Writer& writer : writers) {
        const std::string out = testing::captureStdout([&] { writer.print(walk.steps, walk.lo, walk.hi); });
        EXPECT_TRUE(isTimingLines(out, 1)) << out;
        const auto lines = readLines(writer.file);
        ASSERT_EQ(lines.size(), 100000u) << writer.file;
        EXPECT_EQ(lines.front(), "      -10.0000000000       " + std::string(writer.firstDerivative));
        EXPECT_EQ(lines.back().substr(0, 20), "        9.9998000000") << writer.file;
        EXPECT_EQ(lines.back().size(), 41u) << writer.file;
    }
}

TEST_F(Writers, ClosedFormAndDualDifferAtMostInTheLastDecimal) {
    testing::captureStdout([] {
        printRealGradients(walk.steps, walk.lo, walk.hi);
        printAutodiffGradients(walk.steps, walk.lo, walk.hi);
    });
    const auto real = readLines("realgradients.txt");
    const auto dual = readLines("autodiffgradients.txt");
    ASSERT_EQ(real.size(), dual.size());
    int differing = 0;
    for (size_t i = 0; i < real.size(); ++i) {
        if (real[i] != dual[i]) {
            ++differing;
            EXPECT_EQ(real[i].substr(0, 20), dual[i].substr(0, 20));
            EXPECT_LE(std::fabs(std::stod(real[i].substr(21)) - std::stod(dual[i].substr(21))), 1.5e-10)
                << real[i] << " / " << dual[i];
        }
    }
    EXPECT_LT(differing, 100);
}

TEST_F(Writers, ReversedOrNanBoundsLeaveAnEmptyFileAndStillTime) {
    const double nan = std::nan("");
    const double bounds[][2] = {{10.0, -10.0}, {nan, 10.0}, {-10.0, nan}};
    for (const auto& bound : bounds) {
        for (const Writer& writer : writers) {
            writeFile(writer.file, "stale\n");
            const std::string out = testing::captureStdout([&] { writer.print(100, bound[0], bound[1]); });
            EXPECT_TRUE(isTimingLines(out, 1)) << out;
            EXPECT_EQ(readFile(writer.file), "") << writer.file;
        }
    }
}

TEST_F(Writers, ExistingFileIsReplacedAndAnExactEndIsIncluded) {
    writeFile("realgradients.txt", std::string(1000, 'x') + "\n");
    testing::captureStdout([] { printRealGradients(4, -1.0, 1.0); });
    EXPECT_EQ(readFile("realgradients.txt"),
              "       -1.0000000000         1.9220755965\n"
              "       -0.5000000000         0.7318601701\n"
              "        0.0000000000         0.0000000000\n"
              "        0.5000000000         0.7318601701\n"
              "        1.0000000000         1.9220755965\n");
}

// The program itself, as a user runs it.
class Program : public testing::InTempDir {
protected:
    static std::string program() { return GRADIENT_TIMING; }

    static void expectComplete(const char* file, const char* firstLine) {
        const auto lines = readLines(file);
        EXPECT_EQ(lines.size(), 100000u) << file;
        if (!lines.empty()) {
            EXPECT_EQ(lines.front(), firstLine) << file;
        }
    }
};

TEST_F(Program, WritesThreeTablesAndThreeTimings) {
    const auto result = run(program());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(isTimingLines(result.out, 3)) << result.out;
    expectComplete("realgradients.txt", "      -10.0000000000       171.9574088164");
    expectComplete("finitegradients.txt", "      -10.0000000000       171.9574127534");
    expectComplete("autodiffgradients.txt", "      -10.0000000000       171.9574088164");
}

// Each reading of the wall clock steps it back an hour: the times of the
// passes must not notice. Together they take less than the whole process,
// and each, writing 4.2 MB, more than 100 microseconds.
TEST_F(Program, PassesAreTimedInMicrosecondsByAMonotonicClock) {
    // A sanitizer runtime insists on coming first among preloaded libraries.
    const auto start = std::chrono::steady_clock::now();
    const auto result =
        run(std::string("XSIN_TEST_WALL_CLOCK_STEPS=1 ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=") +
            CLOCK_PRELOAD + " " + program());
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_TRUE(isTimingLines(result.out, 3)) << result.out;
    long sum = 0;
    for (size_t at = 0; (at = result.out.find("Time Passed: ", at)) != std::string::npos; ++at) {
        const long passed = std::stol(result.out.substr(at + 13));
        EXPECT_GT(passed, 100) << result.out;
        sum += passed;
    }
    EXPECT_LT(sum, whole.count()) << result.out;
}

// The relocatable object, linked with nothing but the C++ runtime and the
// math library, is the same program.
TEST_F(Program, RelocatableObjectLinksIntoTheSameProgram) {
    const std::string object = GRADIENT_TIMING_OBJECT;
    const std::string header = readFile(object).substr(0, 18);
    ASSERT_EQ(header.size(), 18u);
    EXPECT_EQ(header.substr(0, 4), "\x7f" "ELF");
    EXPECT_EQ(header[16], 1) << "e_type is not ET_REL";

    const auto link = run(std::string(OBJECT_LINKER) + " '" + object + "' -o linked " + OBJECT_LIBRARIES);
    ASSERT_EQ(link.status, 0) << link.err;
    ASSERT_EQ(mkdir("from-object", 0755), 0);
    ASSERT_EQ(mkdir("from-program", 0755), 0);
    EXPECT_EQ(run("cd from-object && ../linked").status, 0);
    EXPECT_EQ(run("cd from-program && " + program()).status, 0);
    for (const char* file : {"realgradients.txt", "finitegradients.txt", "autodiffgradients.txt"}) {
        const std::string linked = readFile(std::string("from-object/") + file);
        EXPECT_EQ(linked.size(), 4200000u) << file;
        EXPECT_TRUE(linked == readFile(std::string("from-program/") + file)) << file;
    }
}

}  // namespace
}  // namespace xsin
