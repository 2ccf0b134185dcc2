# Two usage requirements that the project's targets link:
#
#   binary64  the floating-point semantics of every computed value. Every
#             table prints ten decimals, where a fused multiply-add, a
#             reassociated sum or a wider intermediate changes the last
#             digit, so each operation must be rounded on its own to a
#             double, whatever the user puts in CMAKE_CXX_FLAGS (target
#             options come after those flags, so the negations below win).
#             The libraries that compute (numerics, roots, the correctly
#             rounded functions, exp_bisection's equation) pass it on
#             PUBLIC, so that every target instantiating their templates
#             gets it too.
#   warnings  the project's warnings, for its own code only.

add_library(binary64 INTERFACE)
target_compile_options(binary64 INTERFACE
  -ffp-contract=off
  -fno-fast-math -fno-unsafe-math-optimizations -fno-associative-math
  -fno-reciprocal-math -fno-finite-math-only -fsigned-zeros)
# 32-bit x86 computes in the x87 unit's 80-bit registers unless told to use
# SSE2, which rounds every operation to a double as the 64-bit targets do.
# Any other target with wider intermediates stops the build in
# binary64/binary64.h.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-7]86|x86)$")
  target_compile_options(binary64 INTERFACE -msse2 -mfpmath=sse)
endif()
# -ffast-math and -Ofast on the link line also pull in crtfastmath.o, which
# flushes subnormals to zero at start-up. -fno-fast-math cancels the former;
# only a later -O level cancels -Ofast.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
set(user_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}} ${CMAKE_EXE_LINKER_FLAGS}")
target_link_options(binary64 INTERFACE -fno-fast-math)
if(user_flags MATCHES "(^| )-Ofast( |$)")
  target_link_options(binary64 INTERFACE -O3)
endif()

add_library(warnings INTERFACE)
target_compile_options(warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Wdouble-promotion
  # GCC notes that the ABI of passing 32-byte vectors by value differs
  # with and without AVX: the project passes them only between inline
  # functions, and across files by pointer.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-psabi>)
option(XSIN_WARNINGS_AS_ERRORS "Treat compiler warnings as errors (on in CI)" OFF)
if(XSIN_WARNINGS_AS_ERRORS)
  target_compile_options(warnings INTERFACE -Werror)
endif()
