#pragma once

// For the functions that code compiled for a wider instruction set than
// the target's (the AVX2 lanes) shares with code that runs on any CPU: each
// is inlined wherever it is called, so that the code for one instruction
// set never leaves a copy of it that the linker could take for the other.
#define XSIN_ALWAYS_INLINE [[gnu::always_inline]] inline
