#include "raster/marked_copy.h"

#include <bit>

namespace raster {
namespace {

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
    if (bits != 0) CopyMarkedWord512(from + word * 64, to + word * 64, bits);
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
