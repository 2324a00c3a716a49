// Which vector instruction sets this processor and its system offer, asked
// once. The answers are false where the compiler cannot ask.
#pragma once

namespace base {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define BASE_HAS_X86_KERNELS 1
// The compiler's check includes the system's saving of the wide registers.
inline bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
inline bool HasAvx512() {
  static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
  return has;
}
#else
inline bool HasAvx2() { return false; }
inline bool HasAvx512() { return false; }
#endif

}  // namespace base
