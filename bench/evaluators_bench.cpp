// Cost of the derivative evaluators per call, over the abscissas of a full
// table, and of one full pass of each table writer (formatting and file
// output included) in a temporary folder, beside the same pass written with
// fprintf.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fprintf_table.h"
#include "experiments/experiments.h"
#include "gradient_table/gradient_table.h"
#include "gradient_timing/gradient_timing.h"
#include "numerics/numerics.h"
#ifdef XSIN_BENCH_CORRECTLY_ROUNDED
#include <cmath>

#include "elementary/correctly_rounded.h"
#endif
#include "numerics/walk.h"
#include "output/decimal.h"
#include "output/table_lines.h"

namespace {

using namespace xsin;

constexpr auto walk = experiments::timedTables;

// The abscissas that a pass of gradient_timing walks.
const std::vector<double>& tableAbscissas() {
    static const std::vector<double> xs = [] {
        std::vector<double> walked;
        walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps), [&](double x) { walked.push_back(x); });
        return walked;
    }();
    return xs;
}

template <double (*evaluate)(double)>
void perCall(benchmark::State& state) {
    const std::vector<double>& xs = tableAbscissas();
    for (auto _ : state) {
        for (double x : xs) {
            benchmark::DoNotOptimize(evaluate(x));
        }
    }
    // Seconds per call, shown with an SI prefix ("25.1n" is 25.1 ns).
    state.counters["per_call"] = benchmark::Counter(
        static_cast<double>(xs.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(perCall<f>)->Name("f");
BENCHMARK(perCall<fp>)->Name("fp");
BENCHMARK(perCall<fpfinite>)->Name("fpfinite");
BENCHMARK(perCall<afDerivative>)->Name("af_derivative");

// The numbers a pass of gradient_timing prints: its abscissas and the
// closed-form derivatives.
const std::vector<double>& printedNumbers() {
    static const std::vector<double> numbers = [] {
        std::vector<double> all = tableAbscissas();
        for (double x : tableAbscissas()) {
            all.push_back(fp(x));
        }
        return all;
    }();
    return numbers;
}

// Seconds per number converted, shown with an SI prefix.
benchmark::Counter perNumber(size_t numbers) {
    return benchmark::Counter(static_cast<double>(numbers),
                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The exact conversion of the tables, into one field of 20 characters.
void tableConversion(benchmark::State& state) {
    const std::vector<double>& numbers = printedNumbers();
    char field[maxFixedWidth + 1];
    for (auto _ : state) {
        for (double value : numbers) {
            benchmark::DoNotOptimize(tableDecimal(field, value));
            benchmark::ClobberMemory();
        }
    }
    state.counters["per_number"] = perNumber(numbers.size());
}

BENCHMARK(tableConversion)->Name("conversion/tableDecimal");

// Whole lines of gradient_timing's first table, a chunk of 64 at a time as
// the table writers convert them, by each path this machine can take.
void lineConversion(benchmark::State& state, LinesPath path) {
    if (!available(path)) {
        state.SkipWithError("this CPU cannot take the path");
        return;
    }
    const std::vector<double>& xs = tableAbscissas();
    std::vector<double> derivatives;
    for (double x : xs) {
        derivatives.push_back(fp(x));
    }
    const std::size_t chunk = 64;
    std::vector<char> text(directLineChars(2 * chunk));
    for (auto _ : state) {
        for (std::size_t at = 0; at + chunk <= xs.size(); at += chunk) {
            const double* columns[2] = {xs.data() + at, derivatives.data() + at};
            benchmark::DoNotOptimize(directTableLines(text.data(), columns, 2, chunk, path));
            benchmark::ClobberMemory();
        }
    }
    state.counters["per_number"] = perNumber(2 * (xs.size() / chunk * chunk));
}

BENCHMARK_CAPTURE(lineConversion, scalar, LinesPath::scalar)->Name("conversion/lines_scalar");
BENCHMARK_CAPTURE(lineConversion, sse2, LinesPath::sse2)->Name("conversion/lines_sse2");
BENCHMARK_CAPTURE(lineConversion, avx2, LinesPath::avx2)->Name("conversion/lines_avx2");

// The same numbers through printf's conversion, the straightforward way.
void printfConversion(benchmark::State& state) {
    const std::vector<double>& numbers = printedNumbers();
    char field[maxFixedWidth + 32];
    for (auto _ : state) {
        for (double value : numbers) {
            benchmark::DoNotOptimize(std::snprintf(field, sizeof field, "%20.10lf", value));
        }
    }
    state.counters["per_number"] = perNumber(numbers.size());
}

BENCHMARK(printfConversion)->Name("conversion/snprintf");

// The standard library's own exact conversion, for comparison.
void toCharsConversion(benchmark::State& state) {
    const std::vector<double>& numbers = printedNumbers();
    char field[maxFixedWidth + 32];
    for (auto _ : state) {
        for (double value : numbers) {
            benchmark::DoNotOptimize(std::to_chars(field, field + sizeof field, value, std::chars_format::fixed, 10));
            benchmark::ClobberMemory();
        }
    }
    state.counters["per_number"] = perNumber(numbers.size());
}

BENCHMARK(toCharsConversion)->Name("conversion/to_chars");

#ifdef XSIN_BENCH_CORRECTLY_ROUNDED
// The correctly rounded functions per call, at the arguments of a pass of
// gradient_timing (u = x^2; e^u for the same u / 25, in [0, 4]), beside the
// standard math library's, and the share of calls that MPFR answered.
template <class Function>
void correctlyRounded(benchmark::State& state, Function function, double scale, long resultsPerCall = 1) {
    std::vector<double> us;
    for (double x : tableAbscissas()) {
        us.push_back(x * x * scale);
    }
    const long before = mpfrFallbacks();
    long calls = 0;
    for (auto _ : state) {
        for (double u : us) {
            benchmark::DoNotOptimize(function(u));
        }
        calls += resultsPerCall * static_cast<long>(us.size());
    }
    state.counters["per_call"] = benchmark::Counter(
        static_cast<double>(us.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // Of the results: a sinCos gives two.
    state.counters["mpfr_share"] = static_cast<double>(mpfrFallbacks() - before) / static_cast<double>(calls);
}

BENCHMARK_CAPTURE(correctlyRounded, sin, [](double u) { return sinRounded(u, Rounding::nearest); }, 1.0)
    ->Name("correctlyRounded/sin");
BENCHMARK_CAPTURE(correctlyRounded, cos, [](double u) { return cosRounded(u, Rounding::nearest); }, 1.0)
    ->Name("correctlyRounded/cos");
BENCHMARK_CAPTURE(correctlyRounded, sinCos, [](double u) { return sinCosRounded(u, Rounding::nearest).cos; }, 1.0, 2)
    ->Name("correctlyRounded/sinCos");
BENCHMARK_CAPTURE(correctlyRounded, sinDown, [](double u) { return sinRounded(u, Rounding::down); }, 1.0)
    ->Name("correctlyRounded/sin_down");
BENCHMARK_CAPTURE(correctlyRounded, exp, [](double u) { return expRounded(u, Rounding::nearest); }, 0.04)
    ->Name("correctlyRounded/exp");
// Four at a time, as gradient_timing takes them (in AVX2 lanes where the
// CPU has them).
void sinsFourAtATime(const double* us, double* results, std::size_t n) {
    for (std::size_t i = 0; i + 4 <= n; i += 4) {
        sinRounded4(us + i, results + i);
    }
}

void sinCossFourAtATime(const double* us, double* results, std::size_t n) {
    double sines[4];
    for (std::size_t i = 0; i + 4 <= n; i += 4) {
        sinCosRounded4(us + i, sines, results + i);
    }
}

void correctlyRoundedFour(benchmark::State& state, void (*fourAtATime)(const double*, double*, std::size_t)) {
    std::vector<double> us;
    for (double x : tableAbscissas()) {
        us.push_back(x * x);
    }
    std::vector<double> results(us.size());
    for (auto _ : state) {
        fourAtATime(us.data(), results.data(), us.size());
        benchmark::ClobberMemory();
    }
    state.counters["per_call"] = benchmark::Counter(
        static_cast<double>(us.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(correctlyRoundedFour, sin, sinsFourAtATime)->Name("correctlyRounded/sin_four");
BENCHMARK_CAPTURE(correctlyRoundedFour, sinCos, sinCossFourAtATime)->Name("correctlyRounded/sinCos_four");

BENCHMARK_CAPTURE(correctlyRounded, librarySin, [](double u) { return std::sin(u); }, 1.0)->Name("library/sin");
BENCHMARK_CAPTURE(correctlyRounded, librarySinCos, [](double u) { return std::sin(u) + std::cos(u); }, 1.0)
    ->Name("library/sinCos");
BENCHMARK_CAPTURE(correctlyRounded, libraryExp, [](double u) { return std::exp(u); }, 0.04)->Name("library/exp");
#endif

// Runs each pass in a temporary folder with standard output (the timing
// lines) sent to /dev/null.
class Scratch {
public:
    Scratch() : previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "xsin-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        dir = pattern;
        std::filesystem::current_path(dir);
        std::fflush(stdout);
        savedStdout = dup(STDOUT_FILENO);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        close(devNull);
    }
    ~Scratch() {
        std::fflush(stdout);
        dup2(savedStdout, STDOUT_FILENO);
        close(savedStdout);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

private:
    std::filesystem::path previous;
    std::filesystem::path dir;
    int savedStdout = -1;
};

void fullPass(benchmark::State& state, void (*writer)(int, double, double)) {
    Scratch scratch;
    for (auto _ : state) {
        writer(walk.steps, walk.lo, walk.hi);
    }
}

BENCHMARK_CAPTURE(fullPass, printRealGradients, printRealGradients)->Unit(benchmark::kMillisecond);

// The same pass as printRealGradients, written line by line with fprintf.
void fprintfPass(benchmark::State& state) {
    Scratch scratch;
    for (auto _ : state) {
        fprintfTable(experiments::realGradientsFile, fp);
    }
}

BENCHMARK(fprintfPass)->Name("fullPass/fprintfRealGradients")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullPass, printFiniteGradients, printFiniteGradients)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullPass, printAutodiffGradients, printAutodiffGradients)->Unit(benchmark::kMillisecond);

void gradientTablePass(benchmark::State& state) {
    Scratch scratch;
    for (auto _ : state) {
        printGradients(experiments::sideBySideTable.lo, experiments::sideBySideTable.hi);
    }
}

BENCHMARK(gradientTablePass)->Name("fullPass/printGradients")->Unit(benchmark::kMicrosecond);

}  // namespace
