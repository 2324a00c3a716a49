// The x86 vector intrinsics, for kernels that are picked at run time by what
// the processor offers (base/cpu_features.h).
#pragma once

#include "base/cpu_features.h"

#if defined(BASE_HAS_X86_KERNELS)
// GCC 12's 512-bit intrinsics start from a deliberately undefined register
// and warn about it wherever they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#if !defined(__clang__)  // a warning of GCC's alone
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif
