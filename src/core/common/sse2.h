#pragma once

// SSE2 is there on every x86-64 machine and on the 32-bit builds that ask for it; elsewhere
// the plain loops beside each use of it do the work.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define KESTRINE_HAVE_SSE2 1
#else
#define KESTRINE_HAVE_SSE2 0
#endif
