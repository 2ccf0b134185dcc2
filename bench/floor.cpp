// The floor of gradient_timing: the least its work can cost on this
// machine. The same three evaluators at the same abscissas, evaluated the
// way gradient_timing does (a chunk of abscissas at a time), their results
// summed and nothing converted or printed; then three fresh files of the
// tables' size, written in blocks of the tables' size from one block of
// bytes prepared before. Run as a whole process beside gradient_timing
// (bench/alternate), the ratio of the two is how far gradient_timing is
// from what the machine allows.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "output/output.h"

namespace {

using namespace xsin;

constexpr auto walk = experiments::timedTables;
// A line of a table: two fields of 20 characters, a blank and a newline.
constexpr std::size_t lineSize = 42;

double sum(void (*derivatives)(const double* xs, double* values, std::size_t count)) {
    double total = 0.0;
    constexpr std::size_t chunk = 64;
    walkAbscissaInChunks<chunk>(walk.lo, walk.hi, static_cast<double>(walk.steps),
                                [&](const double* xs, std::size_t count) {
                                    double values[chunk];
                                    derivatives(xs, values, count);
                                    for (std::size_t i = 0; i < count; ++i) {
                                        total += values[i];
                                    }
                                });
    return total;
}

void writeFile(const char* name, const char* block, std::size_t size) {
    const int descriptor = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        std::perror(name);
        return;
    }
    for (std::size_t left = size; left > 0;) {
        const std::size_t chunk = left < OutputFile::blockSize ? left : OutputFile::blockSize;
        if (::write(descriptor, block, chunk) != static_cast<ssize_t>(chunk)) {
            std::perror(name);
            break;
        }
        left -= chunk;
    }
    ::close(descriptor);
}

}  // namespace

int main() {
    const auto block = std::make_unique<char[]>(OutputFile::blockSize);
    const char line[] = "      -10.0000000000       171.9574088164\n";
    static_assert(sizeof line - 1 == lineSize);
    for (std::size_t at = 0; at + lineSize <= OutputFile::blockSize; at += lineSize) {
        std::memcpy(block.get() + at, line, lineSize);
    }

    volatile double sink = sum(fpBatch) + sum(fpfiniteBatch) + sum(afDerivativeBatch);
    (void)sink;

    const std::size_t size = lineSize * static_cast<std::size_t>(walk.steps);
    for (const char* name :
         {experiments::realGradientsFile, experiments::finiteGradientsFile, experiments::autodiffGradientsFile}) {
        writeFile(name, block.get(), size);
    }
}
