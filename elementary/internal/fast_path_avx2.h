#pragma once

// The fast path in AVX2 lanes (elementary/correctly_rounded_avx2.cpp,
// compiled for AVX2): only for a CPU that runs it (cpu/cpu.h). Each takes
// four arguments, writes the results to nearest where the fast path
// decides, and returns a bit per lane (lane i: bit i) where it does not,
// outside its range or too near a rounding boundary: those lanes are
// computed otherwise.

namespace xsin::fastpath {

int sinLanesAvx2(const double* u, double* sin);
int sinCosLanesAvx2(const double* u, double* sin, double* cos);

}  // namespace xsin::fastpath
