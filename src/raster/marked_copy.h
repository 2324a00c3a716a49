// Copies the pixels of a row that a bit mask marks, for effects that change a
// scattered share of the pixels at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/cpu_features.h"
#include "base/vector_intrinsics.h"
#include "raster/color.h"

namespace raster {

// The marks of one row: bit i % 64 of words[(i / 64) * stride] marks pixel i.
struct RowMarks {
  const uint64_t* words;
  size_t stride;
};

// The marks of word `word` (pixels word * 64 ..) inside begin .. end - 1.
inline uint64_t SpanBits(RowMarks marks, int32_t word, int32_t begin, int32_t end) {
  uint64_t bits = marks.words[static_cast<size_t>(word) * marks.stride];
  if (word * 64 < begin) bits &= ~0ull << (begin % 64);
  if ((word + 1) * 64 > end) bits &= ~0ull >> (64 - (end - word * 64));
  return bits;
}

#if defined(BASE_HAS_X86_KERNELS)
// The 64 pixels from `from` that `bits` marks, through masked loads and
// stores: the others are neither read nor written.
__attribute__((target("avx512f"))) inline void CopyMarkedWord512(const Pixel* from, Pixel* to, uint64_t bits) {
  for (int q = 0; q < 4; ++q) {
    const __mmask16 select = static_cast<__mmask16>(bits >> (16 * q));
    _mm512_mask_storeu_epi32(to + 16 * q, select, _mm512_maskz_loadu_epi32(select, from + 16 * q));
  }
}
#endif

// Copies from[i] to to[i] for every marked i in begin .. end - 1; nothing
// outside that span is read or written.
using MarkedCopy = void (*)(const Pixel* from, Pixel* to, RowMarks marks, int32_t begin, int32_t end);

// The fastest of the kernels below that the processor has.
MarkedCopy PickMarkedCopy();

void CopyMarkedPortable(const Pixel* from, Pixel* to, RowMarks marks, int32_t begin, int32_t end);
#if defined(BASE_HAS_X86_KERNELS)
// Eight pixels at a time, blended into the target, for the words that lie
// inside the span.
__attribute__((target("avx2"))) void CopyMarkedAvx2(const Pixel* from, Pixel* to, RowMarks marks, int32_t begin,
                                                    int32_t end);
// Sixteen pixels at a time through masked loads and stores.
__attribute__((target("avx512f"))) void CopyMarkedAvx512(const Pixel* from, Pixel* to, RowMarks marks,
                                                         int32_t begin, int32_t end);
#endif

}  // namespace raster
