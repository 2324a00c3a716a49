#include "base/random_stretches.h"

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "base/vector_intrinsics.h"

namespace base {
namespace {

// The jump of kStretchLength steps as a matrix over GF(2): the state ahead is
// the exclusive-or of the columns of the state's set bits. Kept as eight
// tables, one per byte of the state, of the exclusive-or of its columns.
class StretchJump {
 public:
  StretchJump() {
    std::array<uint64_t, 64> column{};
    for (int bit = 0; bit < 64; ++bit) {
      uint64_t s = uint64_t{1} << bit;
      for (int k = 0; k < kStretchLength; ++k) s = XorshiftStep(s);
      column[static_cast<size_t>(bit)] = s;
    }
    for (int byte = 0; byte < 8; ++byte)
      for (int value = 0; value < 256; ++value) {
        uint64_t sum = 0;
        for (int bit = 0; bit < 8; ++bit)
          if ((value >> bit) & 1) sum ^= column[static_cast<size_t>(byte * 8 + bit)];
        table_[static_cast<size_t>(byte)][static_cast<size_t>(value)] = sum;
      }
  }
  uint64_t Apply(uint64_t state) const {
    uint64_t ahead = 0;
    for (size_t byte = 0; byte < 8; ++byte) ahead ^= table_[byte][(state >> (8 * byte)) & 0xFF];
    return ahead;
  }

 private:
  std::array<std::array<uint64_t, 256>, 8> table_{};
};

#if defined(__SSE2__)
// Two lanes per register. The 64-bit product's bits 32..63 come from three
// 32 x 32-bit products: (lo * mlo) >> 32 + lo * mhi + hi * mlo.
inline __m128i StepAndNumber(__m128i& s, __m128i mlo, __m128i mhi, __m128i range) {
  s = _mm_xor_si128(s, _mm_srli_epi64(s, 12));
  s = _mm_xor_si128(s, _mm_slli_epi64(s, 25));
  s = _mm_xor_si128(s, _mm_srli_epi64(s, 27));
  const __m128i bits = _mm_add_epi64(_mm_add_epi64(_mm_srli_epi64(_mm_mul_epu32(s, mlo), 32), _mm_mul_epu32(s, mhi)),
                                     _mm_mul_epu32(_mm_srli_epi64(s, 32), mlo));
  return _mm_srli_epi64(_mm_mul_epu32(bits, range), 32);  // 32-bit numbers in the low halves
}

// The numbers of steps i..i+3 of two lanes (one register per step) as one
// register per lane.
inline void Transpose(const __m128i (&step)[4], __m128i& first, __m128i& second) {
  first = _mm_unpacklo_epi64(_mm_unpacklo_epi32(step[0], step[1]), _mm_unpacklo_epi32(step[2], step[3]));
  second = _mm_unpacklo_epi64(_mm_unpackhi_epi32(step[0], step[1]), _mm_unpackhi_epi32(step[2], step[3]));
}

// Four lanes in two registers.
void MakeFourStretchesSse2(uint64_t* lanes, uint32_t range, int32_t* out) {
  __m128i s01 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lanes[0]));
  __m128i s23 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lanes[2]));
  const __m128i mlo = _mm_set1_epi64x(0x4F6CDD1D), mhi = _mm_set1_epi64x(0x2545F491);
  const __m128i r = _mm_set1_epi64x(range);
  for (int i = 0; i < kStretchLength; i += 4) {
    __m128i n01[4], n23[4];
    for (int k = 0; k < 4; ++k) {
      n01[k] = StepAndNumber(s01, mlo, mhi, r);
      n23[k] = StepAndNumber(s23, mlo, mhi, r);
    }
    __m128i lane[4];
    Transpose(n01, lane[0], lane[1]);
    Transpose(n23, lane[2], lane[3]);
    for (int j = 0; j < 4; ++j) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j * kStretchLength + i), lane[j]);
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&lanes[0]), s01);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&lanes[2]), s23);
}
#endif

}  // namespace

uint64_t JumpOneStretch(uint64_t state) {
  static const StretchJump jump;
  return jump.Apply(state);
}

#if defined(BASE_HAS_X86_KERNELS)
namespace {

// Four lanes in one register, for processors that have AVX2.
__attribute__((target("avx2"))) void MakeFourStretchesAvx2(uint64_t* lanes, uint32_t range, int32_t* out) {
  __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
  const __m256i mlo = _mm256_set1_epi64x(0x4F6CDD1D), mhi = _mm256_set1_epi64x(0x2545F491);
  const __m256i r = _mm256_set1_epi64x(range);
  for (int i = 0; i < kStretchLength; i += 4) {
    __m256i step[4];
    for (__m256i& n : step) {
      s = _mm256_xor_si256(s, _mm256_srli_epi64(s, 12));
      s = _mm256_xor_si256(s, _mm256_slli_epi64(s, 25));
      s = _mm256_xor_si256(s, _mm256_srli_epi64(s, 27));
      const __m256i bits =
          _mm256_add_epi64(_mm256_add_epi64(_mm256_srli_epi64(_mm256_mul_epu32(s, mlo), 32), _mm256_mul_epu32(s, mhi)),
                           _mm256_mul_epu32(_mm256_srli_epi64(s, 32), mlo));
      n = _mm256_srli_epi64(_mm256_mul_epu32(bits, r), 32);
    }
    // Per 128-bit half, lanes 0, 1 (low) and 2, 3 (high) of steps i..i+3.
    const __m256i lo = _mm256_unpacklo_epi64(_mm256_unpacklo_epi32(step[0], step[1]),
                                             _mm256_unpacklo_epi32(step[2], step[3]));
    const __m256i hi = _mm256_unpacklo_epi64(_mm256_unpackhi_epi32(step[0], step[1]),
                                             _mm256_unpackhi_epi32(step[2], step[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 0 * kStretchLength + i), _mm256_castsi256_si128(lo));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 1 * kStretchLength + i), _mm256_castsi256_si128(hi));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * kStretchLength + i), _mm256_extracti128_si256(lo, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * kStretchLength + i), _mm256_extracti128_si256(hi, 1));
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), s);
}

// The 64-bit multiply's low half per lane, and the numbers of eight steps of
// eight lanes stored lane by lane.
__attribute__((target("avx512f,avx512dq"))) inline __m512i StepAndNumber512(__m512i& s, __m512i m, __m512i range) {
  s = _mm512_xor_si512(s, _mm512_srli_epi64(s, 12));
  s = _mm512_xor_si512(s, _mm512_slli_epi64(s, 25));
  s = _mm512_xor_si512(s, _mm512_srli_epi64(s, 27));
  return _mm512_srli_epi64(_mm512_mul_epu32(_mm512_srli_epi64(_mm512_mullo_epi64(s, m), 32), range), 32);
}

// step[k] holds the numbers of step i + k of eight lanes in its 64-bit
// halves' low halves; lane j's eight numbers go to out[j * kStretchLength + i].
__attribute__((target("avx512f,avx512dq"))) inline void StoreEightSteps(const __m512i (&step)[8], int32_t* out,
                                                                         int i) {
  __m512i pair[4];  // lane j's numbers of steps 2p and 2p + 1 in its 64 bits
  for (int p = 0; p < 4; ++p) pair[p] = _mm512_or_si512(step[2 * p], _mm512_slli_epi64(step[2 * p + 1], 32));
  // Per 128-bit block b: lanes 2b (lo) and 2b + 1 (hi) of pairs 0, 1 and 2, 3.
  const __m512i lo01 = _mm512_unpacklo_epi64(pair[0], pair[1]), lo23 = _mm512_unpacklo_epi64(pair[2], pair[3]);
  const __m512i hi01 = _mm512_unpackhi_epi64(pair[0], pair[1]), hi23 = _mm512_unpackhi_epi64(pair[2], pair[3]);
  // Blocks b of the 01 and 23 halves side by side: lanes 2b / 2b + 1 whole.
  // The first half of the blocks holds lanes 0 .. 3, the second lanes 4 .. 7.
  const __m512i lo[2] = {_mm512_shuffle_i64x2(lo01, lo23, _MM_SHUFFLE(1, 0, 1, 0)),
                         _mm512_shuffle_i64x2(lo01, lo23, _MM_SHUFFLE(3, 2, 3, 2))};
  const __m512i hi[2] = {_mm512_shuffle_i64x2(hi01, hi23, _MM_SHUFFLE(1, 0, 1, 0)),
                         _mm512_shuffle_i64x2(hi01, hi23, _MM_SHUFFLE(3, 2, 3, 2))};
  for (int half = 0; half < 2; ++half) {
    // Blocks (01 of lane 2b, 23 of lane 2b), then the same for lane 2b + 2.
    const __m512i even = _mm512_shuffle_i64x2(lo[half], lo[half], _MM_SHUFFLE(3, 1, 2, 0));
    const __m512i odd = _mm512_shuffle_i64x2(hi[half], hi[half], _MM_SHUFFLE(3, 1, 2, 0));
    int32_t* const lane = out + 4 * half * kStretchLength + i;
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lane + 0 * kStretchLength), _mm512_castsi512_si256(even));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lane + 1 * kStretchLength), _mm512_castsi512_si256(odd));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lane + 2 * kStretchLength), _mm512_extracti64x4_epi64(even, 1));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lane + 3 * kStretchLength), _mm512_extracti64x4_epi64(odd, 1));
  }
}

}  // namespace

__attribute__((target("avx2"))) void MakeStretchesAvx2(std::array<uint64_t, kStretches>& lanes, uint32_t range,
                                                         int32_t* out) {
  for (size_t j = 0; j < lanes.size(); j += 4) MakeFourStretchesAvx2(&lanes[j], range, out + j * kStretchLength);
}

__attribute__((target("avx512f,avx512dq"))) void MakeStretchesAvx512(std::array<uint64_t, kStretches>& lanes,
                                                                      uint32_t range, int32_t* out) {
  static_assert(kStretches == 16 && kStretchLength % 8 == 0);
  __m512i s0 = _mm512_loadu_si512(&lanes[0]), s1 = _mm512_loadu_si512(&lanes[8]);
  const __m512i m = _mm512_set1_epi64(static_cast<long long>(0x2545F4914F6CDD1Dull));
  const __m512i r = _mm512_set1_epi64(range);
  for (int i = 0; i < kStretchLength; i += 8) {
    __m512i step0[8], step1[8];  // two registers, two chains of steps
    for (int k = 0; k < 8; ++k) {
      step0[k] = StepAndNumber512(s0, m, r);
      step1[k] = StepAndNumber512(s1, m, r);
    }
    StoreEightSteps(step0, out, i);
    StoreEightSteps(step1, out + 8 * kStretchLength, i);
  }
  _mm512_storeu_si512(&lanes[0], s0);
  _mm512_storeu_si512(&lanes[8], s1);
}
#endif


void MakeStretchesPortable(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out) {
  for (int i = 0; i < kStretchLength; ++i)
    for (size_t j = 0; j < lanes.size(); ++j) {
      lanes[j] = XorshiftStep(lanes[j]);
      out[j * kStretchLength + static_cast<size_t>(i)] = XorshiftNumber(lanes[j], range);
    }
}

#if defined(__SSE2__)
void MakeStretchesSse2(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out) {
  for (size_t j = 0; j < lanes.size(); j += 4) MakeFourStretchesSse2(&lanes[j], range, out + j * kStretchLength);
}
#endif

void MakeStretches(std::array<uint64_t, kStretches>& lanes, uint32_t range, int32_t* out) {
#if defined(BASE_HAS_X86_KERNELS)
  if (HasAvx512()) {
    MakeStretchesAvx512(lanes, range, out);
    return;
  }
  if (HasAvx2()) {
    MakeStretchesAvx2(lanes, range, out);
    return;
  }
#endif
#if defined(__SSE2__)
  MakeStretchesSse2(lanes, range, out);
#else
  MakeStretchesPortable(lanes, range, out);
#endif
}

}  // namespace base
