// The floor of gradient_timing: the least its work can cost on this
// machine. The same three evaluators at the same abscissas, with the same
// math library, their results summed and nothing converted or printed;
// then three fresh files of the tables' size, written in blocks of the
// tables' size from one block of bytes prepared before. Run as a whole
// process beside gradient_timing (bench/alternate), the ratio of the two
// is how far gradient_timing is from what the machine allows.

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

template <class Derivative>
double sum(Derivative derivative) {
    double total = 0.0;
    std::size_t lines = 0;
    walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps), [&](double x) {
        total += derivative(x);
        ++lines;
    });
    return total + static_cast<double>(lines);
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

    volatile double sink = sum(fp) + sum(fpfinite) + sum(afDerivative);
    (void)sink;

    const std::size_t size = lineSize * static_cast<std::size_t>(walk.steps);
    for (const char* name :
         {experiments::realGradientsFile, experiments::finiteGradientsFile, experiments::autodiffGradientsFile}) {
        writeFile(name, block.get(), size);
    }
}
