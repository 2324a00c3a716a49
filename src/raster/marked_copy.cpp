#include "raster/marked_copy.h"

#include <bit>

#include "base/vector_intrinsics.h"

namespace raster {
namespace {

// The marks of word `word` (pixels word * 64 ..) inside begin .. end - 1.
inline uint64_t SpanBits(RowMarks marks, int32_t word, int32_t begin, int32_t end) {
  uint64_t bits = marks.words[static_cast<size_t>(word) * marks.stride];
  if (word * 64 < begin) bits &= ~0ull << (begin % 64);
  if ((word + 1) * 64 > end) bits &= ~0ull >> (64 - (end - word * 64));
  return bits;
}

inline void CopyBits(const Pixel* from, Pixel* to, uint64_t bits) {
  for (; bits != 0; bits &= bits - 1) {
    const int bit = std::countr_zero(bits);
    to[bit] = from[bit];
  }
}

}  // namespace

void CopyMarkedPortable(const Pixel* from, Pixel* to, RowMarks marks, int32_t begin, int32_t end) {
  for (int32_t word = begin / 64; word * 64 < end; ++word)
    CopyBits(from + word * 64, to + word * 64, SpanBits(marks, word, begin, end));
}

#if defined(BASE_HAS_X86_KERNELS)
__attribute__((target("avx2"))) void CopyMarkedAvx2(const Pixel* from, Pixel* to, RowMarks marks, int32_t begin,
                                                    int32_t end) {
  const __m256i lanes = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
  for (int32_t word = begin / 64; word * 64 < end; ++word) {
    const int32_t first = word * 64;
    uint64_t bits = SpanBits(marks, word, begin, end);
    if (bits == 0) continue;
    if (first < begin || first + 64 > end) {  // vectors would reach outside the span
      CopyBits(from + first, to + first, bits);
      continue;
    }
    for (int32_t eight = first; eight < first + 64; eight += 8, bits >>= 8) {
      const __m256i select =
          _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(static_cast<int>(bits & 0xFF)), lanes), lanes);
      __m256i* const out = reinterpret_cast<__m256i*>(to + eight);
      const __m256i picked = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + eight));
      _mm256_storeu_si256(out, _mm256_blendv_epi8(_mm256_loadu_si256(out), picked, select));
    }
  }
}

// Masked-off lanes are neither read nor written, so the words at the span's
// edges need no care beyond their cleared bits.
__attribute__((target("avx512f"))) void CopyMarkedAvx512(const Pixel* from, Pixel* to, RowMarks marks,
                                                         int32_t begin, int32_t end) {
  for (int32_t word = begin / 64; word * 64 < end; ++word) {
    const uint64_t bits = SpanBits(marks, word, begin, end);
    if (bits == 0) continue;
    for (int q = 0; q < 4; ++q) {
      const __mmask16 select = static_cast<__mmask16>(bits >> (16 * q));
      const int32_t at = word * 64 + 16 * q;
      _mm512_mask_storeu_epi32(to + at, select, _mm512_maskz_loadu_epi32(select, from + at));
    }
  }
}
#endif

MarkedCopy PickMarkedCopy() {
#if defined(BASE_HAS_X86_KERNELS)
  if (base::HasAvx512()) return CopyMarkedAvx512;
  if (base::HasAvx2()) return CopyMarkedAvx2;
#endif
  return CopyMarkedPortable;
}

}  // namespace raster
