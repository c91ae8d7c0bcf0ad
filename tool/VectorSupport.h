#pragma once

// Whether this build has the SSE2 vector kernels (every x86-64 compiler; 32-bit x86 only when
// SSE2 code generation is on). Other platforms use the scalar kernels.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define SONVEX_TOOL_SSE2 1
#include <emmintrin.h>
#else
#define SONVEX_TOOL_SSE2 0
#endif

// Whether this build has the AVX2 kernels: GCC or Clang on x86, compiled for the processor the
// program runs on (the kernels are chosen at run time, only where the processor has AVX2).
#if SONVEX_TOOL_SSE2 && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define SONVEX_TOOL_AVX2 1
#else
#define SONVEX_TOOL_AVX2 0
#endif
