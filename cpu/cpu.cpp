#include "cpu/cpu.h"

namespace xsin::cpu {

bool runs(InstructionSet set) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool sse2 = (__builtin_cpu_init(), __builtin_cpu_supports("sse2"));
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool fma = __builtin_cpu_supports("fma");
    switch (set) {
    case InstructionSet::sse2:
        return sse2;
    case InstructionSet::avx2:
        return avx2;
    case InstructionSet::fma:
        break;
    }
    return fma;
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
