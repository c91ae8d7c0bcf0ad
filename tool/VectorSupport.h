#pragma once

// Whether this build has the SSE2 vector kernels (every x86-64 compiler; 32-bit x86 only when
// SSE2 code generation is on). Other platforms use the scalar kernels.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define SONVEX_TOOL_SSE2 1
#include <emmintrin.h>
#else
#define SONVEX_TOOL_SSE2 0
#endif
