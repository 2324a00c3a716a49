// One step of a RandomAhead's sixteen lanes, inline, for kernels that make
// numbers between pieces of other work. Only where RandomAhead::Available().
#pragma once

#include "base/random_ahead.h"
#include "base/vector_intrinsics.h"

#if defined(BASE_HAS_X86_KERNELS)
namespace base {

// The lanes in two registers of eight, and what a step needs besides.
struct AheadRegisters {
  __m512i low, high;
  __m512i range;
  uint8_t* out;
  int step;
};

__attribute__((target("avx512f,avx512dq"))) inline AheadRegisters LoadAhead(const RandomAhead::Lanes& lanes,
                                                                            int32_t range) {
  return {_mm512_loadu_si512(&lanes.states[0]), _mm512_loadu_si512(&lanes.states[8]), _mm512_set1_epi64(range),
          lanes.out, lanes.step};
}

__attribute__((target("avx512f,avx512dq"))) inline void StoreAhead(const AheadRegisters& r,
                                                                   RandomAhead::Lanes& lanes) {
  _mm512_storeu_si512(&lanes.states[0], r.low);
  _mm512_storeu_si512(&lanes.states[8], r.high);
  lanes.out = r.out;
  lanes.step = r.step;
}

// Eight lanes' next states, and their numbers in the upper halves of their
// 64 bits (the generator's step and number, as in random_stretches.h).
__attribute__((target("avx512f,avx512dq"))) inline __m512i NextEight(__m512i& s, __m512i range) {
  s = _mm512_xor_si512(s, _mm512_srli_epi64(s, 12));
  s = _mm512_xor_si512(s, _mm512_slli_epi64(s, 25));
  s = _mm512_xor_si512(s, _mm512_srli_epi64(s, 27));
  const __m512i multiplier = _mm512_set1_epi64(static_cast<long long>(0x2545F4914F6CDD1Dull));
  return _mm512_mul_epu32(_mm512_srli_epi64(_mm512_mullo_epi64(s, multiplier), 32), range);
}

// The sixteen lanes' next numbers as sixteen bytes, lane by lane. The caller
// sees to it that r.step < RandomAhead::kStretchLength.
__attribute__((target("avx512f,avx512dq"))) inline void StepAhead(AheadRegisters& r) {
  const __m512i low = NextEight(r.low, r.range), high = NextEight(r.high, r.range);
  const __m512i upperHalves = _mm512_set_epi32(31, 29, 27, 25, 23, 21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(r.out),
                   _mm512_cvtepi32_epi8(_mm512_permutex2var_epi32(low, upperHalves, high)));
  r.out += RandomAhead::kLanes;
  ++r.step;
}

}  // namespace base
#endif
