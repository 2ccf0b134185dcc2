#pragma once

// Which instruction sets beyond the build's own baseline this CPU runs: the
// one place that asks. Code for such a set lives in files of its own,
// compiled for it (add_instruction_set_sources, cmake/Libraries.cmake), and
// runs only where this says so.

namespace xsin::cpu {

enum class InstructionSet {
    sse2,  // 128-bit lanes: every x86-64 CPU
    avx2,  // 256-bit integer and double lanes (x86-64)
    fma,   // fused multiply-add
};

// Asked once per set; the answer is kept.
bool runs(InstructionSet set);

}  // namespace xsin::cpu
