#pragma once

#include <cfloat>

// Every value is a double rounded after each operation: the tables print
// ten decimals, where a wider intermediate (the x87 unit's 80 bits on
// 32-bit x86 without SSE2) changes the last digit. The build passes the
// flags that make it so; this stops a build for which they did not.
static_assert(FLT_EVAL_METHOD == 0, "floating-point expressions must be evaluated in their own type (FLT_EVAL_METHOD 0)");
