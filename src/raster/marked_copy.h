// Copies the pixels of a row that a bit mask marks, for effects that change a
// scattered share of the pixels at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/cpu_features.h"
#include "raster/color.h"

namespace raster {

// The marks of one row: bit i % 64 of words[(i / 64) * stride] marks pixel i.
struct RowMarks {
  const uint64_t* words;
  size_t stride;
};

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
