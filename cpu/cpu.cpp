#include "cpu/cpu.h"

namespace xsin::cpu {

bool runs([[maybe_unused]] InstructionSet set) {
#if defined(__x86_64__) || defined(__i386__)
    // In the order of InstructionSet.
    static const int answers[] = {(__builtin_cpu_init(), __builtin_cpu_supports("sse2")),
                                  __builtin_cpu_supports("avx2"), __builtin_cpu_supports("fma")};
    return answers[static_cast<int>(set)] != 0;
#else
    // Elsewhere only what the build targets: no x86 vector sets, and fused
    // multiply-adds where the compiler may use them.
#if defined(__ARM_FEATURE_FMA) || defined(__FP_FAST_FMA)
    return set == InstructionSet::fma;
#else
    return false;
#endif
#endif
}

}  // namespace xsin::cpu
