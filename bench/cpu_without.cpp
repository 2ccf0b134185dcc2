// For the benchmarks, in place of cpu/cpu.cpp: a CPU that runs only the
// first XSIN_SETS_RUN instruction sets of cpu::InstructionSet (sse2, avx2,
// fma, in that order), so that a whole run of a program can be timed
// without its faster forms beside one with them (bench/alternate).

#include "cpu/cpu.h"

namespace xsin::cpu {

bool runs(InstructionSet set) {
    return static_cast<int>(set) < XSIN_SETS_RUN;
}

}  // namespace xsin::cpu
