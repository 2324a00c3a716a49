// The parts of xorshift64* that SeededRandom::Fill uses to make numbers of
// several stretches of its sequence at a time. Internal to the base library.
#pragma once

#include <array>
#include <cstdint>

#include "base/cpu_features.h"

namespace base {

// The state's step: three shifts and exclusive-ors, a linear map of the 64
// state bits.
inline uint64_t XorshiftStep(uint64_t s) {
  s ^= s >> 12;
  s ^= s << 25;
  s ^= s >> 27;
  return s;
}
// The number in 0 .. range - 1 (range >= 1) that a state gives.
inline int32_t XorshiftNumber(uint64_t state, uint32_t range) {
  const uint64_t bits = (state * 0x2545F4914F6CDD1Dull) >> 32;
  return static_cast<int32_t>((bits * range) >> 32);
}

inline constexpr int kStretches = 16;       // stretches made side by side
inline constexpr int kStretchLength = 256;  // numbers in each

// The state kStretchLength steps ahead of `state`.
uint64_t JumpOneStretch(uint64_t state);

// Makes kStretches stretches of kStretchLength numbers in 0 .. range - 1
// (range >= 1): stretch j follows the state lanes[j] and goes to
// out[j * kStretchLength ...]; each lane ends at the state after its stretch.
// Uses the widest of the kernels below that the processor has.
void MakeStretches(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out);

// The kernels, one lane at a time or several per vector register. All but the
// widest make four stretches side by side at a time.
void MakeStretchesPortable(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out);
#if defined(__SSE2__)
void MakeStretchesSse2(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out);
#endif
#if defined(BASE_HAS_X86_KERNELS)
__attribute__((target("avx2"))) void MakeStretchesAvx2(std::array<uint64_t, kStretches>& lanes, uint32_t range,
                                                         int32_t* out);
// All sixteen side by side, eight lanes per register.
__attribute__((target("avx512f,avx512dq"))) void MakeStretchesAvx512(std::array<uint64_t, kStretches>& lanes,
                                                                      uint32_t range, int32_t* out);
#endif

}  // namespace base
